#!/usr/bin/env bash
# Takes the README's pictures of what a user sees: the demo service pack
# run as in tools/demo.sh (French, German and Japanese demo products
# installed), its message boxes drawn by Wine on a virtual X display and
# grabbed as they stand on the screen:
#   docs/box-fr-301.png  the French product patched
#   docs/box-ja-308.png  the Japanese product at a version the patch does not fit
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

tools/install-deps.sh >/dev/null
# A virtual display, a screen grabber, a Japanese font and Wine's own fonts.
missing=()
for package in xvfb imagemagick fonts-noto-cjk fonts-wine; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -q >/dev/null
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
fi
cmake --preset x64 >/dev/null
cmake --build --preset x64 >/dev/null

work=$root/build/screenshots
prefix=$work/wineprefix
tools/make-wine-prefix.sh "$prefix" build/x64
export WINEPREFIX=$prefix WINEDEBUG=-all
wine64=/usr/lib/wine/wine64
# Boxes drawn on a display this time, with Japanese text in a font that has it.
"$wine64" reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
for font in Tahoma 'Microsoft Sans Serif' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
  "$wine64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$font" /t REG_MULTI_SZ /d 'NotoSansCJK-Regular.ttc,Noto Sans CJK JP' /f >/dev/null 2>&1
done
cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
/usr/lib/wine/wineserver -w

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap '/usr/lib/wine/wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1

cd build/x64
for product in demo_fr demo_de demo_ja; do
  ../../tools/wine-run.sh "$prefix" msiexec /i "B:\\fixtures\\$product.msi" /qn
done

# The desktop, and each box on it for four seconds before OK is pressed.
desktop=560x200
log=$work/boxes.txt
"$wine64" explorer /desktop=spapply,$desktop 'B:\boxwatch.exe' -W 4 -C 'C:\' 'B:\spapply.exe' \
  </dev/null >"$log" 2>/dev/null &
run=$!
shot() {
  local count=$1 caption=$2 file=$3
  for _ in $(seq 300); do
    [ "$(grep -c '^\[box\]' "$log")" -ge "$count" ] && break
    sleep 0.1
  done
  grep '^\[box\]' "$log" | sed -n "${count}p" | grep -qF "$caption" ||
    { echo "box $count is not \"$caption\":" >&2; cat "$log" >&2; exit 1; }
  sleep 1.5  # drawn by then
  import -window root -crop "$desktop+0+0" +repage "$work/desktop.png"
  # The box alone: the desktop's colour all round it is cut away.
  convert "$work/desktop.png" -trim +repage "$root/$file"
  echo "$file: $caption"
}
shot 1 'Installation réussie' docs/box-fr-301.png
shot 2 'インストール エラー' docs/box-ja-308.png
wait $run
cat "$log"
