/* The floor markroll-cli is measured against: the least work any program must
 * do for the same page. It walks the tree depth first with readdir and the
 * entry types, sorts each folder's names, opens every *.url relative to its
 * folder, reads it to the end once, and writes an output file of the page's
 * size, put on the disk with its folder entry as markroll-cli puts its page.
 * Single-threaded, no parsing, no encoding.
 * Usage: floor TREE OUTPUT_FILE PAGE_BYTES */
#define _GNU_SOURCE
#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <unistd.h>

static char buffer[1 << 16];

static int compare(const void* a, const void* b) { return strcasecmp(*(char* const*)a, *(char* const*)b); }

static int isShortcut(const char* name)
{
    size_t length = strlen(name);
    return length >= 4 && strcasecmp(name + length - 4, ".url") == 0;
}

static void walk(int folder)
{
    DIR* listing = fdopendir(folder);
    if (!listing) {
        close(folder);
        return;
    }
    char** files = NULL;
    char** folders = NULL;
    size_t fileCount = 0, folderCount = 0, fileSpace = 0, folderSpace = 0;
    for (struct dirent* entry; (entry = readdir(listing));) {
        if (entry->d_name[0] == '.')
            continue;
        if (entry->d_type == DT_DIR) {
            if (folderCount == folderSpace)
                folders = realloc(folders, (folderSpace = folderSpace * 2 + 16) * sizeof *folders);
            folders[folderCount++] = strdup(entry->d_name);
        } else if (entry->d_type == DT_REG && isShortcut(entry->d_name)) {
            if (fileCount == fileSpace)
                files = realloc(files, (fileSpace = fileSpace * 2 + 16) * sizeof *files);
            files[fileCount++] = strdup(entry->d_name);
        }
    }
    qsort(files, fileCount, sizeof *files, compare);
    qsort(folders, folderCount, sizeof *folders, compare);
    for (size_t i = 0; i < fileCount; ++i) {
        int file = openat(dirfd(listing), files[i], O_RDONLY | O_CLOEXEC);
        if (file >= 0) {
            while (read(file, buffer, sizeof buffer) > 0) {
            }
            close(file);
        }
        free(files[i]);
    }
    for (size_t i = 0; i < folderCount; ++i) {
        int child = openat(dirfd(listing), folders[i], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (child >= 0)
            walk(child);
        free(folders[i]);
    }
    free(files);
    free(folders);
    closedir(listing);
}

static int flushFolderOf(const char* file)
{
    char folderPath[4096];
    snprintf(folderPath, sizeof folderPath, "%s", file);
    char* cut = strrchr(folderPath, '/');
    if (cut)
        *cut = '\0';
    int folder = open(cut ? folderPath : ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return 1;
    int failed = fsync(folder) != 0;
    close(folder);
    return failed;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: floor TREE OUTPUT_FILE PAGE_BYTES\n");
        return 2;
    }
    int root = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root < 0)
        return 1;
    walk(root);
    FILE* output = fopen(argv[2], "wb");
    if (!output)
        return 1;
    memset(buffer, 'x', sizeof buffer);
    for (long left = atol(argv[3]); left > 0; left -= (long)sizeof buffer)
        fwrite(buffer, 1, left < (long)sizeof buffer ? (size_t)left : sizeof buffer, output);
    if (fflush(output) != 0 || fsync(fileno(output)) != 0 || fclose(output) != 0)
        return 1;
    return flushFolderOf(argv[2]);
}
