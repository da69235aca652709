#!/bin/bash
# Composes a picture of the settings dialog from the artwork in this folder, to
# judge the artwork before (or without) running the program under Wine.
# Usage: resources/mockup.sh out.png
# Panels get the 2 px sunken client edge of a bordered picture box; scroll bars
# and the combo box are plain grey stand-ins.
set -euo pipefail
cd "$(dirname "$0")"
out=$(realpath -m "${1:?usage: mockup.sh out.png}")
font=$(fc-list : file family | grep -m1 'IPAPGothic' | cut -d: -f1)
args=(-size 597x397 tile:tile_strip.bmp -font "$font" -density 96 -pointsize 9.75 -gravity NorthWest)

picture() { args+=(-draw "image over $2,$3 0,0 '$1'"); }   # file x y
text() { args+=(-fill "${4:-black}" -annotate "+$2+$3" "$1"); }   # text x y [colour]
box() { args+=(-fill "$5" -stroke "${6:-none}" -draw "rectangle $1,$2 $(($1 + $3 - 1)),$(($2 + $4 - 1))" -stroke none); }
line() { args+=(-stroke "$5" -draw "line $1,$2 $3,$4" -stroke none); }

sunken() {   # x y w h: the client edge of a panel
  local r=$(($1 + $3 - 1)) b=$(($2 + $4 - 1))
  line "$1" "$2" "$r" "$2" '#a0a0a0'; line "$1" "$2" "$1" "$b" '#a0a0a0'
  line "$1" "$b" "$r" "$b" white; line "$r" "$2" "$r" "$b" white
  line $(($1 + 1)) $(($2 + 1)) $(($r - 1)) $(($2 + 1)) '#696969'
  line $(($1 + 1)) $(($2 + 1)) $(($1 + 1)) $(($b - 1)) '#696969'
}

panel() {   # x y w h caption: header, tiled panel, edge; sets cx cy to the client origin
  picture header_bar.bmp "$1" $(($2 - 24)); text "$5" $(($1 + 4)) $(($2 - 20))
  args+=('(' -size $(($3 - 4))x$(($4 - 4)) tile:tile_strip.bmp ')' -geometry +$(($1 + 2))+$(($2 + 2)) -composite)
  sunken "$1" "$2" "$3" "$4"; cx=$(($1 + 2)); cy=$(($2 + 2))
}

button() {   # x y caption [disabled]
  picture button_up.bmp "$1" "$2"
  args+=('(' -size 89x17 xc:none -fill "$([ -n "${4:-}" ] && echo '#a0a0a0' || echo black)"
         -gravity North -annotate +0+0 "$3" ')' -gravity NorthWest -geometry +$(($1 + 4))+$(($2 + 4)) -composite)
}

mark() { picture "$1.bmp" $((cx + $2)) $((cy + $3)); text "$4" $((cx + $5)) $((cy + $3)); }   # picture x y caption text_x
scroll() { box $((cx + $1)) $((cy + $2)) "$3" "$4" '#d4d0c8' '#808080'; }                      # x y w h
value() { box $((cx + $1)) $((cy + $2)) "$3" "$4" '#e0e0e0' '#808080'; text "$5" $((cx + $1 + $3 - 4 - 7 * ${#5})) $((cy + $2 + 2)); }

panel 12 36 353 149 '画像ﾌｧｨﾙ'
button $((cx + 8)) $((cy + 8)) '参照...'
text 'ｵﾘｼﾞﾅﾙ画像' $((cx + 124)) $((cy + 12))
mark check_on 108 40 '横にｽﾄﾚｯﾁ' 124
mark check_off 108 60 'ﾄﾘﾐﾝｸﾞ' 124
box $((cx + 208)) $((cy + 8)) 100 100 white; picture preview_globe.bmp $((cx + 211)) $((cy + 11))
text 'ﾌｧｲﾙﾊﾟｽ' $((cx + 8)) $((cy + 100))
value 8 116 333 16 ''; text 'C:\\写真\\富士山.jpg' $((cx + 10)) $((cy + 117))

panel 12 220 225 117 'ﾚﾝﾀﾞﾘﾝｸﾞ'
text 'ﾌﾚｰﾑ(ｺﾏ）数' $((cx + 84)) $((cy + 16)); value 160 12 33 19 '8'; scroll 192 12 17 18
text '表示画像のｻｲｽﾞ（半径）' $((cx + 24)) $((cy + 44)); value 160 40 33 17 '100'; scroll 192 40 17 18
button $((cx + 116)) $((cy + 76)) 'ﾚﾝﾀﾞﾘﾝｸﾞ...'

panel 248 220 117 117 'ﾚﾝﾀﾞﾘﾝｸﾞ結果'; box "$cx" "$cy" 113 113 white

panel 376 36 201 69 'BGM'
mark option_off 12 12 'OFF' 28; mark option_on 72 12 'ON' 88
scroll 72 32 41 21; text '曲目をﾘﾋﾟｰﾄ' $((cx + 116)) $((cy + 36))
panel 376 144 201 41 '球体の移動'
mark option_on 12 12 '中央' 28; mark option_off 64 12 'ﾊﾟﾀｰﾝ１' 80; mark option_off 128 12 'ﾊﾟﾀｰﾝ２' 144
panel 376 220 201 41 '球体の回転'
mark option_on 12 12 '右回転' 28; mark option_off 88 12 '左回転' 104
panel 376 296 201 41 '球体の速さ'
text '速い' $((cx + 12)) $((cy + 12)); scroll 44 12 109 17; text '遅い' $((cx + 160)) $((cy + 12)); text '1' $((cx + 100)) "$cy"

text 'Gyrafoto  Ver.1.1.0' 12 348
text 'https://gyrafoto.example/' 12 368 '#1a3f8f'; line 12 381 160 381 '#1a3f8f'
button 284 356 '設定' disabled; button 384 356 'ｷｬﾝｾﾙ'; button 484 356 '適用' disabled

convert "${args[@]}" "$out"
