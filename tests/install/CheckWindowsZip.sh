#!/usr/bin/env bash
# Packs the Windows zip as a user gets it, unpacks it into a folder whose name
# holds a space and Japanese characters, and runs both programs from there
# under Wine: markroll-cli.exe writes its page, the drop target writes the
# page and the bookmark file onto the desktop, markroll.exe shows its window.
# Usage: CheckWindowsZip.sh BUILD_DIR CPACK WINE VERSION
set -euo pipefail
build=$1 cpack=$2 wine=$3 version=$4
scratch=$(mktemp -d)
window=
finish() {
  [[ -n $window ]] && kill -9 "$window" 2> /dev/null
  rm -rf "$scratch"
}
trap finish EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

name=markroll-$version-win64
"$cpack" --config "$build/CPackConfig.cmake" -G ZIP -B "$scratch/pack" > /dev/null
zip=$scratch/pack/$name.zip
[[ -f $zip ]] || fail "cpack made no $name.zip"
echo "$name.zip: $(stat -c %s "$zip") bytes"

listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
drop=お気に入りをここにドロップ.exe
expected="$name/ $name/LICENSE $name/README-Windows.txt $name/markroll-cli.exe $name/markroll.exe $name/$drop "
[[ $listed == "$expected" || "$name/ $listed" == "$expected" ]] || fail "the zip holds: $listed"

unpacked="$scratch/展開先 フォルダ"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked"
programs="$unpacked/$name"

for program in markroll.exe markroll-cli.exe "$drop"; do
  if x86_64-w64-mingw32-objdump -h "$programs/$program" | grep -q '\.debug'; then
    fail "$program keeps its debug sections"
  fi
done
readme=$programs/README-Windows.txt
[[ $(head -c 3 "$readme" | od -An -tx1 | tr -d ' ') == efbbbf ]] || fail "README-Windows.txt has no UTF-8 signature"
if grep -qv $'\r$' "$readme" "$programs/LICENSE"; then
  fail "a line of README-Windows.txt or LICENSE does not end in CR LF"
fi
grep -q "Shift_JIS" "$readme" || fail "README-Windows.txt does not name the page's encoding"

# A Favorites folder with one shortcut, and its page as the system writes it.
favorites="$scratch/お気に入り 2"
mkdir -p "$favorites" "$scratch/out"
printf '[InternetShortcut]\r\nURL=http://example.jp/\r\n' > "$favorites/リンク.url"
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
expected_page=$(printf '%s\n' '<HTML><HEAD>' '<TITLE>ショートカット出力</TITLE>' \
  '<META http-equiv=Content-Type Content="text/html; Charset=shift_jis">' '' '<STYLE TYPE="text/css">' \
  '<!-- OL {font-size=12} -->' '</STYLE>' '</HEAD>' '<BODY>' "<OL>☆<B>$(windows_path "$favorites")</B>☆<BR>" \
  '<LI><A Href="http://example.jp/">リンク</A></LI>' '</OL>' '</BODY></HTML>' | sed 's/$/\r/' | iconv -t CP932 | base64 -w0)

"$wine" "$programs/markroll-cli.exe" "$(windows_path "$favorites")" "$(windows_path "$scratch/out")" \
  < /dev/null > "$scratch/cli.out" 2> "$scratch/cli.err" || fail "markroll-cli.exe failed: $(cat "$scratch/cli.err")"
[[ $(base64 -w0 < "$scratch/out/ALL_Favorites_Link.htm") == "$expected_page" ]] ||
  fail "the page differs: $(iconv -f CP932 < "$scratch/out/ALL_Favorites_Link.htm")"
[[ $(cat "$scratch/cli.out") == $'Markroll: 出力完了！！\r' ]] || fail "markroll-cli.exe said: $(cat "$scratch/cli.out")"
echo "markroll-cli.exe wrote the page from $programs"

# Dropping a folder on the drop target in Explorer runs it with the folder's
# path; through cmd, with its input not a console, it does not wait for a key.
printf '[InternetShortcut]\r\n' > "$favorites/壊れた.url"
# cmd takes a quoted program name apart from its quoted argument, so it is
# run by its bare name from its folder.
(cd "$programs" && "$wine" cmd /c "$drop" "$(windows_path "$favorites")" < /dev/null > "$scratch/drop.out" 2>&1) ||
  fail "$drop failed: $(cat "$scratch/drop.out")"
desktop=$(sed -n 's/^書き出し先：\(.*\)\r$/\1/p' "$scratch/drop.out")
[[ $desktop == *'\Desktop\Markroll' ]] || fail "$drop said: $(cat "$scratch/drop.out")"
written=$("$wine" winepath -u "$desktop" 2> /dev/null | tr -d '\r')
# The page names this run's own Favorites folder, so one left from before cannot pass.
iconv -f CP932 < "$written/ALL_Favorites_Link.htm" | grep -qF "☆<B>$(windows_path "$favorites")</B>☆" ||
  fail "$drop wrote no page of $favorites into $written"
grep -q 'HREF="http://example.jp/"' "$written/bookmarks.html" || fail "$drop wrote no bookmark file with the link"
grep -qa $'^ブックマークファイルに入れたショートカット：1件\r$' "$scratch/drop.out" ||
  fail "$drop did not count the shortcut in: $(cat "$scratch/drop.out")"
grep -qa $'ブックマークファイルに入れられなかったショートカット：1件\r$' "$scratch/drop.out" ||
  fail "$drop did not count the broken shortcut: $(cat "$scratch/drop.out")"
rm -rf "$written"
echo "$drop wrote the page and the bookmark file into $desktop"

"$wine" "$programs/markroll.exe" < /dev/null > /dev/null 2>&1 &
window=$!
caption=$(timeout 60 xdotool search --sync --onlyvisible --name 'Markroll　k/r' 2> /dev/null | head -n 1) || true
[[ -n $caption ]] || fail "markroll.exe showed no window within a minute"
[[ $(xdotool getwindowname "$caption") == "　＋＋＋　Markroll　k/r　＋＋＋" ]] ||
  fail "the window is named $(xdotool getwindowname "$caption")"
echo "markroll.exe showed its window from $programs"
