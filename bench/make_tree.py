#!/usr/bin/env python3
"""Writes a synthetic Favorites tree, the same for the same arguments.

usage: make_tree.py DEST --folders N --per-folder M [--depth D] [--seed S]

DEST gets N folders in all (DEST itself included), nested at most D deep, each
holding M Internet Shortcut files. Names mix ASCII, Japanese, names that code
page 932 cannot write (accents, Hangul, emoji) and "&"; URLs run from short to
a few hundred characters, some with non-ASCII paths; files come as CR LF, LF,
UTF-8 with a byte-order mark, UTF-16LE and with a [InternetShortcut.W] copy.
"""
import argparse
import os
import random

ASCII_WORDS = ["news", "docs", "Search", "Mail", "Weather", "Maps", "Shop", "Blog", "Wiki", "Forum", "Recipes",
               "Travel", "Music", "Video", "Photos", "Bank", "Tax", "Qt", "CMake", "Debian"]
JAPANESE_WORDS = ["ニュース", "天気", "地図", "買い物", "料理", "旅行", "音楽", "写真", "銀行", "開発", "東京", "大阪",
                  "日記", "辞書", "新聞", "映画", "①番", "ｶﾀｶﾅ"]
FOREIGN_WORDS = ["Café", "Crème", "한국", "서울", "😀", "Ørsted", "naïve", "¥en"]


def pick_name(rng):
    kind = rng.random()
    words = ASCII_WORDS if kind < 0.5 else JAPANESE_WORDS if kind < 0.85 else FOREIGN_WORDS
    name = " ".join(rng.choice(words) for _ in range(rng.randint(1, 3)))
    if rng.random() < 0.05:
        name += " & " + rng.choice(ASCII_WORDS)
    return name


def pick_url(rng):
    host = rng.choice(["example.com", "example.jp", "例え.jp", "news.example.org"])
    length = int(rng.triangular(10, 400, 40))
    path = "".join(rng.choice("abcdefghijklmnopqrstuvwxyz0123456789/-_") for _ in range(length))
    if rng.random() < 0.1:
        path += "/" + rng.choice(JAPANESE_WORDS)
    query = "?q=%d&lang=ja" % rng.randint(0, 10 ** 6) if rng.random() < 0.3 else ""
    return "https://%s/%s%s" % (host, path, query)


def utf7(text):
    return text.encode("utf-7").decode("ascii")


def shortcut_bytes(rng, url):
    form = rng.random()
    if form < 0.6:
        return ("[InternetShortcut]\r\nURL=%s\r\n" % url).encode("utf-8")
    if form < 0.75:
        return ("[{000214A0-0000-0000-C000-000000000046}]\nProp3=19,11\n[InternetShortcut]\nURL=%s\nIconIndex=0\n"
                % url).encode("utf-8")
    if form < 0.85:
        return b"\xef\xbb\xbf" + ("[DEFAULT]\r\nBASEURL=%s\r\n[InternetShortcut]\r\nURL=%s\r\n" % (url, url)).encode("utf-8")
    if form < 0.93:
        return b"\xff\xfe" + ("[InternetShortcut]\r\nURL=%s\r\n" % url).encode("utf-16-le")
    ansi = url.encode("ascii", "replace").decode("ascii")
    return ("[InternetShortcut]\r\nURL=%s\r\n[InternetShortcut.W]\r\nURL=%s\r\n" % (ansi, utf7(url))).encode("ascii")


def folder_paths(rng, dest, count, depth):
    """count folder paths, dest first, each new one below an earlier one."""
    folders = [(dest, 0)]
    used = set()
    while len(folders) < count:
        parent, level = rng.choice([f for f in folders if f[1] < depth] or folders[:1])
        name = pick_name(rng)
        while (parent, name) in used:
            name = "%s %d" % (name, rng.randint(2, 99))
        used.add((parent, name))
        folders.append((os.path.join(parent, name), level + 1))
    return [path for path, _ in folders]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("dest")
    parser.add_argument("--folders", type=int, default=999)
    parser.add_argument("--per-folder", type=int, default=100)
    parser.add_argument("--depth", type=int, default=4)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    for folder in folder_paths(rng, args.dest, args.folders, args.depth):
        os.makedirs(folder, exist_ok=True)
        names = set()
        while len(names) < args.per_folder:
            names.add(pick_name(rng) + ("" if rng.random() < 0.7 else " %d" % rng.randint(1, 999)))
        for name in sorted(names):
            with open(os.path.join(folder, name + rng.choice([".url"] * 9 + [".URL"])), "wb") as f:
                f.write(shortcut_bytes(rng, pick_url(rng)))


if __name__ == "__main__":
    main()
