#!/bin/sh
# Includes run downwards: platform/, png/ and plane/ at the bottom, then doc/, render/, keep/, view/,
# and the programs' folders on top. Each line below names a folder (its subfolders included) and
# the includes none of its files may name. Run from src/; prints every include that runs upwards.
status=0
while read -r folder upwards; do
    if grep -rnE "^#include \"($upwards)" --include='*.h' --include='*.cpp' "$folder"; then
        status=1
    fi
done <<'RULES'
platform        (png|plane|doc|presets|render|keep|view|keyframes|video|cli|frame|app|res)/
png             (plane|doc|presets|render|keep|view|keyframes|video|cli|frame|app)/
plane           (png|doc|presets|render|keep|view|keyframes|video|cli|frame|app)/
doc             (render|keep|view|keyframes|video|cli|frame|app)/
render          (keep|view|keyframes|video|cli|frame|app)/
render/escape   render/(deep/|[A-Za-z]+\.h)
render/deep     render/[A-Za-z]+\.h
keep            (render|view|keyframes|video|cli|frame|app)/
view            (keyframes|video|cli|frame|app)/
view/navigate   view/FractalView\.h
view/tree       view/FractalView\.h
RULES
exit $status
