#!/usr/bin/env bash
# A real browser imports the bookmark file: markroll-cli writes it from the
# sample tree with some unusual additions, a fresh Firefox ESR profile told
# to import it on its first start (browser.places.importBookmarksHTML with
# browser.bookmarks.file) starts headless, and its places.sqlite must then
# hold the expected folders and links, in order: the Links folder's on the
# Bookmarks Toolbar, the rest under the bookmarks menu.
# Firefox keeps URLs as its URL parser writes them: the quote and the angle
# brackets of a query percent-encoded.
# Usage: FirefoxImport.sh MARKROLL_CLI EXAMPLES_FOLDER EXPECTED_OUTLINE
set -euo pipefail
cli=$1 examples=$2 expected=$3
for tool in firefox-esr sqlite3; do
  command -v "$tool" > /dev/null || { echo "$tool is not installed (scripts/packages.sh installs it)"; exit 1; }
done

scratch=$(mktemp -d)
firefox_pid=
cleanup() {
  [[ -n $firefox_pid ]] && kill -KILL "$firefox_pid" 2> /dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

# The sample tree, and what a browser's importer must get right besides.
tree=$scratch/Favorites
cp -r "$examples/Favorites" "$tree"
shortcut() { mkdir -p "$(dirname "$tree/$1")"; printf '[InternetShortcut]\r\nURL=%s\r\n' "$2" > "$tree/$1"; }
shortcut 'Odd/A & B <c> "d".url' 'http://example.com/?q="x"&y=<z>'
shortcut 'Odd/😀 한국어.url' 'http://example.com/日本/'
shortcut 'Odd/1/2/3/4/5/deep.url' 'http://deep.example/'
mkdir -p "$tree/Odd/Empty"
shortcut 'Links/Item 10.url' 'http://ten.example/'
shortcut 'Links/Item 2.url' 'http://two.example/'
shortcut 'Links/item 1.url' 'http://one.example/'
touch -d @1000000000 "$tree/Links/Debian.url" "$tree/Odd/1/2/3/4/5/deep.url"
touch -d @1000000100 "$tree/Odd/1/2/3/4/5"

"$cli" --bookmarks "$scratch/bookmarks.html" "$tree" "$scratch" > /dev/null

profile=$scratch/profile
mkdir -p "$profile"
cat > "$profile/user.js" << PREFS
user_pref("browser.places.importBookmarksHTML", true);
user_pref("browser.bookmarks.file", "$scratch/bookmarks.html");
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.disabledForTesting", true);
user_pref("network.dns.disableIPv6", true);
PREFS

HOME=$scratch MOZ_CRASHREPORTER_DISABLE=1 firefox-esr --headless --no-remote --profile "$profile" about:blank \
  > "$scratch/firefox.log" 2>&1 &
firefox_pid=$!

# The menu's and the toolbar's folders and links in order, indented by
# depth, read from a copy of the database (Firefox holds the original locked
# while it runs).
outline_query() {
  echo "
WITH RECURSIVE tree(id, depth, place) AS (
  SELECT id, 0, '' FROM moz_bookmarks WHERE guid = '$1'
  UNION ALL
  SELECT b.id, t.depth + 1, t.place || printf('%06d/', b.position)
  FROM moz_bookmarks b JOIN tree t ON b.parent = t.id)
SELECT printf('%*s', 2 * (t.depth - 1), '') || b.title ||
       CASE b.type WHEN 2 THEN '/' ELSE ' -> ' || p.url END
FROM tree t JOIN moz_bookmarks b ON b.id = t.id LEFT JOIN moz_places p ON p.id = b.fk
WHERE t.depth > 0 ORDER BY t.place;"
}
read_places() {
  rm -rf "$scratch/copy" && mkdir "$scratch/copy"
  cp "$profile"/places.sqlite* "$scratch/copy/" 2> /dev/null || return 1
  sqlite3 "$scratch/copy/places.sqlite" "$1" 2> /dev/null
}

imported=
for _ in $(seq 240); do
  # The import is one transaction: once the last link is there, all are.
  if read_places "SELECT 1 FROM moz_bookmarks WHERE title = 'deep'" | grep -q 1; then
    imported=yes
    break
  fi
  kill -0 "$firefox_pid" 2> /dev/null || break
  sleep 0.5
done
if [[ -z $imported ]]; then
  echo "Firefox imported nothing; its output:"
  cat "$scratch/firefox.log"
  exit 1
fi
{
  echo '[menu]'
  read_places "$(outline_query menu________)"
  echo '[toolbar]'
  read_places "$(outline_query toolbar_____)"
} > "$scratch/outline.txt"
if ! diff -u "$expected" "$scratch/outline.txt"; then
  echo "Firefox's bookmarks differ from the expected outline (above: - expected, + Firefox)"
  exit 1
fi
# A shortcut's times are the bookmark's, in microseconds: one copied with
# its last write from long ago was added then too.
times=$(read_places "SELECT dateAdded, lastModified FROM moz_bookmarks WHERE title = 'Debian' AND type = 1")
if [[ $times != "1000000000000000|1000000000000000" ]]; then
  echo "Debian's dateAdded|lastModified is '$times', not 1000000000000000|1000000000000000"
  exit 1
fi
# A folder spans what it holds: added with its oldest link, changed itself later.
times=$(read_places "SELECT dateAdded, lastModified FROM moz_bookmarks WHERE title = '5' AND type = 2")
if [[ $times != "1000000000000000|1000000100000000" ]]; then
  echo "Folder 5's dateAdded|lastModified is '$times', not 1000000000000000|1000000100000000"
  exit 1
fi
echo "Firefox $(firefox-esr --version 2> /dev/null | awk '{print $NF}') imported $(wc -l < "$scratch/outline.txt") folders and links"
