#!/usr/bin/env bash
# Writes the sample programs of this folder from the texts below with the
# headless runner of the build folder given as $1 (default: build). Every
# program exists twice under the same file name: in Turkish in tr/ (Turkish
# procedure names, comments and keywords, main procedure "AnaEkran") and in
# English in en/ (main procedure "MainScreen"); both draw the same picture.
# Each program is put together from --define procedures and -e lines of the
# main procedure and saved without being run (--max-lines 0).
#
# Things worth knowing when writing such programs: every dialect is accepted
# at any time; a list (of repeat, if, ...) and a procedure call run after the
# rest of their line, so "repeat 3 [rt 120 koch 2, 90]" turns before it draws.
# A label's text is part of the picture, so it is the same in both versions.
# Inside a list that holds no command, such as a colour list, a word that
# begins with a keyword is split there ("döngüno" into "döngü no"), so the
# Turkish programs count their passes with repcount, like the English ones.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
runner="$build/bin/mivarelo-run"
if [ ! -x "$runner" ]; then
  echo "Cannot write the examples: $runner has not been built." >&2
  exit 1
fi

# save tr|en NAME ARGS...: the English version is saved with the English
# interface, which names its main procedure "MainScreen".
save() {
  local language=$1 name=$2
  shift 2
  local interface=()
  [ "$language" = en ] && interface=(--english)
  mkdir -p "$here/$language"
  "$runner" --max-lines 0 "${interface[@]}" --save "$here/$language/$name.elg" "$@"
  echo "Wrote $here/$language/$name.elg"
}

# Long keywords: a flower of 36 turning squares with a stem and two leaves.
save tr flower \
  --define 'kare :boy' 'tekrar 4 [ileri :boy sağ 90]' \
  --define 'çiçek :adet :boy' 'tekrar :adet [değiştirkalemrenk [255 repcount*6 220-repcount*5] sağ 360/:adet kare :boy]' \
  --define 'yaprak :adım :yön' 'yond :yön - 135
tekrar 2 [sağ 90 tekrar 30 [ileri :adım sağ 3]]
kalemyukarı
yond :yön
ileri :adım*13
boya [90 190 70]
geri :adım*13
kalemaşağı' \
  -e '; Öğrettiği: girdili yordamlar birbirini çağırır; repcount ile değişen renkler' \
  -e 'kalemyukarı' -e 'kurpos 1000,1000' -e 'yond 90' -e 'kalemaşağı' \
  -e 'değiştirkalemrenk [30 110 40]' -e 'setkalemkalınlık 16' -e 'ileri 850' \
  -e 'setkalemkalınlık 6' \
  -e 'kalemyukarı' -e 'kurpos 1000,1550' -e 'kalemaşağı' -e 'yaprak 12, 325' \
  -e 'kalemyukarı' -e 'kurpos 1000,1350' -e 'kalemaşağı' -e 'yaprak 10, 215' \
  -e 'kalemyukarı' -e 'kurpos 1000,650' -e 'yond 0' -e 'kalemaşağı' \
  -e 'setkalemkalınlık 5' -e 'çiçek 36, 300' \
  -e 'kalemyukarı' -e 'kurpos 910,650' -e 'kalemaşağı' \
  -e 'değiştirkalemrenk [200 110 0]' -e 'değiştirdolgurenk [255 200 0]' -e 'elips 0,180' \
  -e 'saklakaplumbağa'
# English has no word for boya (fill with a colour, keeping the fill colour):
# the leaf sets the fill colour and fills, and the flower's centre sets its
# own fill colour before it is drawn.
save en flower \
  --define 'square :size' 'repeat 4 [forward :size right 90]' \
  --define 'flower :count :size' 'repeat :count [setpencolor [255 repcount*6 220-repcount*5] right 360/:count square :size]' \
  --define 'leaf :step :direction' 'seth :direction - 135
repeat 2 [right 90 repeat 30 [forward :step right 3]]
penup
seth :direction
forward :step*13
setfillcolor [90 190 70]
fill
back :step*13
pendown' \
  -e '; Teaches: procedures with inputs call one another; colours that change with repcount' \
  -e 'penup' -e 'setpos 1000,1000' -e 'seth 90' -e 'pendown' \
  -e 'setpencolor [30 110 40]' -e 'setpenwidth 16' -e 'forward 850' \
  -e 'setpenwidth 6' \
  -e 'penup' -e 'setpos 1000,1550' -e 'pendown' -e 'leaf 12, 325' \
  -e 'penup' -e 'setpos 1000,1350' -e 'pendown' -e 'leaf 10, 215' \
  -e 'penup' -e 'setpos 1000,650' -e 'seth 0' -e 'pendown' \
  -e 'setpenwidth 5' -e 'flower 36, 300' \
  -e 'penup' -e 'setpos 910,650' -e 'pendown' \
  -e 'setpencolor [200 110 0]' -e 'setfillcolor [255 200 0]' -e 'elips 0,180' \
  -e 'hideturtle'

# Short keywords: filled stars and a crescent moon in the night sky.
save tr stars \
  --define 'yıldız :x :y :boy' 'ky
kurpos :x,:y
yond 72
ka
tekrar 5 [ig :boy sağ 144]
ky
yond 90
ig :boy/1.902
doldur
yond 270
tekrar 5 [ig :boy*0.4 doldur gg :boy*0.4 sağ 72]' \
  --define 'ay :x :y :çap' 'ky
kurpos :x,:y
yond 0
ka
degkr [250 240 200]
degdr [250 240 200]
elips 0,:çap
ky
kurpos :x+:çap/4,:y-:çap/8
ka
degkr [20 25 70]
degdr [20 25 70]
elips 0,:çap' \
  -e '; Öğrettiği: kısa Türkçe komutlarla doldurulan şekiller ve üst üste çizilen iki daireyle bir hilal' \
  -e 'deger [20 25 70]' -e 'kk 3' -e 'ay 250, 350, 300' \
  -e 'degkr [255 170 0]' -e 'degdr [255 225 60]' \
  -e 'yıldız 1000, 550, 700' \
  -e 'yıldız 500, 1300, 200' -e 'yıldız 1500, 1250, 260' -e 'yıldız 1650, 300, 150' \
  -e 'yıldız 300, 850, 120' -e 'yıldız 1100, 1550, 160' -e 'yıldız 700, 1650, 110' \
  -e 'yıldız 1750, 1700, 120' -e 'yıldız 250, 1750, 90' -e 'yıldız 1800, 800, 90' \
  -e 'sk'
save en stars \
  --define 'star :x :y :size' 'pu
setpos :x,:y
seth 72
pd
repeat 5 [fd :size rt 144]
pu
seth 90
fd :size/1.902
fill
seth 270
repeat 5 [fd :size*0.4 fill bk :size*0.4 rt 72]' \
  --define 'moon :x :y :diameter' 'pu
setpos :x,:y
seth 0
pd
setpc [250 240 200]
setfc [250 240 200]
elips 0,:diameter
pu
setpos :x+:diameter/4,:y-:diameter/8
pd
setpc [20 25 70]
setfc [20 25 70]
elips 0,:diameter' \
  -e '; Teaches: shapes filled in with short English commands, and a crescent made of two circles drawn one over the other' \
  -e 'setsc [20 25 70]' -e 'spw 3' -e 'moon 250, 350, 300' \
  -e 'setpc [255 170 0]' -e 'setfc [255 225 60]' \
  -e 'star 1000, 550, 700' \
  -e 'star 500, 1300, 200' -e 'star 1500, 1250, 260' -e 'star 1650, 300, 150' \
  -e 'star 300, 850, 120' -e 'star 1100, 1550, 160' -e 'star 700, 1650, 110' \
  -e 'star 1750, 1700, 120' -e 'star 250, 1750, 90' -e 'star 1800, 800, 90' \
  -e 'ht'

# Long keywords: a triangular spiral whose colour runs from red to cyan.
save tr spiral \
  --define 'çokgensarmal :adet :açı :artış' 'tekrar :adet [değiştirkalemrenk [255-repcount*255/:adet 60+repcount*150/:adet repcount*255/:adet] ileri repcount*:artış sağ :açı]' \
  -e '; Öğrettiği: üç girdili bir yordam ve repcount ile değişen bir renk' \
  -e 'değiştirekranrenk [250 248 240]' \
  -e 'kalemyukarı' -e 'kurpos 1000,1000' -e 'kalemaşağı' -e 'setkalemkalınlık 3' \
  -e 'çokgensarmal 300, 121, 5' \
  -e 'saklakaplumbağa'
save en spiral \
  --define 'polyspiral :count :angle :grow' 'repeat :count [setpencolor [255-repcount*255/:count 60+repcount*150/:count repcount*255/:count] forward repcount*:grow right :angle]' \
  -e '; Teaches: a procedure with three inputs, and a colour that changes with repcount' \
  -e 'setscreencolor [250 248 240]' \
  -e 'penup' -e 'setpos 1000,1000' -e 'pendown' -e 'setpenwidth 3' \
  -e 'polyspiral 300, 121, 5' \
  -e 'hideturtle'

# Short keywords: a recursive tree in blossom on a strip of grass.
save tr tree \
  --define 'ağaç :n :boy' 'eğer :n < 1 [durdur]
kk :n*1.6
degkr [40+:n*7 160-:n*9 40-:n*2]
ka
ig :boy
eğer :n < 2 [çiçek]
sol 22
ağaç :n - 1, :boy * 0.78
sağ 47
ağaç :n - 1, :boy * 0.7
sol 25
ky
gg :boy' \
  --define 'çiçek' 'degkr [250 160 195]
kk 16
ig 1
gg 1' \
  -e '; Öğrettiği: özyineleme, kendini duruncaya dek daha küçük girdilerle çağıran bir yordam' \
  -e 'deger [235 245 255]' \
  -e 'ky' -e 'kurpos 150,1880' -e 'ka' -e 'degkr [120 180 80]' -e 'kk 60' -e 'kurx 1850' \
  -e 'ky' -e 'kurpos 1000,1850' -e 'yond 270' \
  -e 'ağaç 11, 360' -e 'sk'
save en tree \
  --define 'tree :n :len' 'if :n < 1 [stop]
spw :n*1.6
setpc [40+:n*7 160-:n*9 40-:n*2]
pd
fd :len
if :n < 2 [blossom]
lt 22
tree :n - 1, :len * 0.78
rt 47
tree :n - 1, :len * 0.7
lt 25
pu
bk :len' \
  --define 'blossom' 'setpc [250 160 195]
spw 16
fd 1
bk 1' \
  -e '; Teaches: recursion, a procedure that calls itself with smaller inputs until it stops' \
  -e 'setsc [235 245 255]' \
  -e 'pu' -e 'setpos 150,1880' -e 'pd' -e 'setpc [120 180 80]' -e 'spw 60' -e 'setx 1850' \
  -e 'pu' -e 'setpos 1000,1850' -e 'seth 270' \
  -e 'tree 11, 360' -e 'ht'

# Long keywords: Koch snowflakes, filled once they are closed.
save tr snowflake \
  --define 'koch :n :boy' 'eğer :n < 1 [ileri :boy durdur]
koch :n - 1, :boy / 3
sol 60
koch :n - 1, :boy / 3
sağ 120
koch :n - 1, :boy / 3
sol 60
koch :n - 1, :boy / 3' \
  --define 'kartanesi :x :y :n :boy' 'kalemyukarı
kurpos :x - :boy / 2,:y - :boy * 0.2887
yond 240
kalemaşağı
tekrar 3 [sağ 120 koch :n, :boy]' \
  --define 'renklendir :x :y :kırmızı :yeşil :mavi' 'kalemyukarı
kurpos :x,:y
değiştirdolgurenk [:kırmızı :yeşil :mavi]
doldur' \
  -e '; Öğrettiği: özyineleme (Koch eğrisi) ve kapanan şekilleri doldur ile boyamak' \
  -e 'değiştirekranrenk [25 45 90]' -e 'setkalemkalınlık 3' \
  -e 'değiştirkalemrenk [255 255 255]' -e 'kartanesi 1000, 1000, 4, 1134' \
  -e 'renklendir 1000, 1000, 170, 215, 255' \
  -e 'değiştirkalemrenk [170 215 255]' \
  -e 'kartanesi 300, 300, 3, 216' -e 'renklendir 300, 300, 255, 255, 255' \
  -e 'kartanesi 1700, 300, 3, 216' -e 'renklendir 1700, 300, 255, 255, 255' \
  -e 'kartanesi 300, 1700, 3, 216' -e 'renklendir 300, 1700, 255, 255, 255' \
  -e 'kartanesi 1700, 1700, 3, 216' -e 'renklendir 1700, 1700, 255, 255, 255' \
  -e 'saklakaplumbağa'
save en snowflake \
  --define 'koch :n :len' 'if :n < 1 [forward :len stop]
koch :n - 1, :len / 3
left 60
koch :n - 1, :len / 3
right 120
koch :n - 1, :len / 3
left 60
koch :n - 1, :len / 3' \
  --define 'snowflake :x :y :n :len' 'penup
setpos :x - :len / 2,:y - :len * 0.2887
seth 240
pendown
repeat 3 [right 120 koch :n, :len]' \
  --define 'colourin :x :y :red :green :blue' 'penup
setpos :x,:y
setfillcolor [:red :green :blue]
fill' \
  -e '; Teaches: recursion (the Koch curve), and colouring closed shapes in with fill' \
  -e 'setscreencolor [25 45 90]' -e 'setpenwidth 3' \
  -e 'setpencolor [255 255 255]' -e 'snowflake 1000, 1000, 4, 1134' \
  -e 'colourin 1000, 1000, 170, 215, 255' \
  -e 'setpencolor [170 215 255]' \
  -e 'snowflake 300, 300, 3, 216' -e 'colourin 300, 300, 255, 255, 255' \
  -e 'snowflake 1700, 300, 3, 216' -e 'colourin 1700, 300, 255, 255, 255' \
  -e 'snowflake 300, 1700, 3, 216' -e 'colourin 300, 1700, 255, 255, 255' \
  -e 'snowflake 1700, 1700, 3, 216' -e 'colourin 1700, 1700, 255, 255, 255' \
  -e 'hideturtle'

# Long keywords: a house with filled walls, roof, door and windows, and a sun.
save tr house \
  --define 'dikdörtgen :x :y :en :boy :r :g :b' 'kalemyukarı
kurpos :x,:y
kalemaşağı
kurpos :x + :en,:y
kurpos :x + :en,:y + :boy
kurpos :x,:y + :boy
kurpos :x,:y
kalemyukarı
kurpos :x + :en / 2,:y + :boy / 2
değiştirdolgurenk [:r :g :b]
doldur' \
  --define 'çatı :x :y :en :yükseklik' 'kalemyukarı
kurpos :x,:y
kalemaşağı
kurpos :x + :en,:y
kurpos :x + :en / 2,:y - :yükseklik
kurpos :x,:y
kalemyukarı
kurpos :x + :en / 2,:y - :yükseklik / 3
değiştirdolgurenk [180 60 50]
doldur' \
  --define 'pencere :x :y :boy' 'dikdörtgen :x, :y, :boy, :boy, 200, 235, 255
kalemyukarı
kurpos :x + :boy / 2,:y
kalemaşağı
kurpos :x + :boy / 2,:y + :boy
kalemyukarı
kurpos :x,:y + :boy / 2
kalemaşağı
kurpos :x + :boy,:y + :boy / 2' \
  --define 'güneş :x :y :çap' 'değiştirkalemrenk [255 170 0]
değiştirdolgurenk [255 220 50]
setkalemkalınlık 8
yond 0
tekrar 12 [kalemyukarı kurpos :x,:y ileri :çap * 0.65 kalemaşağı ileri :çap * 0.3 sağ 30]
kalemyukarı
kurpos :x - :çap / 2,:y
kalemaşağı
elips 0,:çap' \
  -e '; Öğrettiği: kurpos ile köşeden köşeye çizmek ve kapalı şekilleri doldur ile boyamak' \
  -e 'değiştirekranrenk [185 220 255]' \
  -e 'güneş 1580, 360, 280' \
  -e 'değiştirkalemrenk [40 40 40]' -e 'setkalemkalınlık 5' \
  -e 'dikdörtgen 60, 1500, 1880, 420, 90, 170, 70' \
  -e 'dikdörtgen 560, 900, 880, 600, 240, 215, 170' \
  -e 'çatı 500, 900, 1000, 380' \
  -e 'kalemyukarı' -e 'kurpos 1180,657' -e 'kalemaşağı' \
  -e 'kurpos 1180,560' -e 'kurpos 1270,560' -e 'kurpos 1270,725' \
  -e 'kalemyukarı' -e 'kurpos 1225,620' -e 'değiştirdolgurenk [150 80 60]' -e 'doldur' \
  -e 'dikdörtgen 925, 1230, 150, 270, 130, 80, 40' \
  -e 'pencere 660, 1010, 190' -e 'pencere 1150, 1010, 190' \
  -e 'kalemyukarı' -e 'kurpos 1040,1370' -e 'kalemaşağı' -e 'setkalemkalınlık 14' -e 'ileri 1' \
  -e 'saklakaplumbağa'
save en house \
  --define 'rectangle :x :y :width :height :r :g :b' 'penup
setpos :x,:y
pendown
setpos :x + :width,:y
setpos :x + :width,:y + :height
setpos :x,:y + :height
setpos :x,:y
penup
setpos :x + :width / 2,:y + :height / 2
setfillcolor [:r :g :b]
fill' \
  --define 'roof :x :y :width :height' 'penup
setpos :x,:y
pendown
setpos :x + :width,:y
setpos :x + :width / 2,:y - :height
setpos :x,:y
penup
setpos :x + :width / 2,:y - :height / 3
setfillcolor [180 60 50]
fill' \
  --define 'window :x :y :size' 'rectangle :x, :y, :size, :size, 200, 235, 255
penup
setpos :x + :size / 2,:y
pendown
setpos :x + :size / 2,:y + :size
penup
setpos :x,:y + :size / 2
pendown
setpos :x + :size,:y + :size / 2' \
  --define 'sun :x :y :diameter' 'setpencolor [255 170 0]
setfillcolor [255 220 50]
setpenwidth 8
seth 0
repeat 12 [penup setpos :x,:y forward :diameter * 0.65 pendown forward :diameter * 0.3 right 30]
penup
setpos :x - :diameter / 2,:y
pendown
elips 0,:diameter' \
  -e '; Teaches: drawing from corner to corner with setpos, and colouring closed shapes in with fill' \
  -e 'setscreencolor [185 220 255]' \
  -e 'sun 1580, 360, 280' \
  -e 'setpencolor [40 40 40]' -e 'setpenwidth 5' \
  -e 'rectangle 60, 1500, 1880, 420, 90, 170, 70' \
  -e 'rectangle 560, 900, 880, 600, 240, 215, 170' \
  -e 'roof 500, 900, 1000, 380' \
  -e 'penup' -e 'setpos 1180,657' -e 'pendown' \
  -e 'setpos 1180,560' -e 'setpos 1270,560' -e 'setpos 1270,725' \
  -e 'penup' -e 'setpos 1225,620' -e 'setfillcolor [150 80 60]' -e 'fill' \
  -e 'rectangle 925, 1230, 150, 270, 130, 80, 40' \
  -e 'window 660, 1010, 190' -e 'window 1150, 1010, 190' \
  -e 'penup' -e 'setpos 1040,1370' -e 'pendown' -e 'setpenwidth 14' -e 'forward 1' \
  -e 'hideturtle'

# Short keywords: the very first program, a square side by side and with repeat.
save tr square \
  -e '; Öğrettiği: ilk kare, dört kenar ve dört dönüş; sonra tekrar ile aynı kare' \
  -e 'deger [250 250 240]' -e 'kk 8' \
  -e 'ky' -e 'kurpos 300,700' -e 'ka' -e 'degkr [40 90 200]' \
  -e 'ig 600' -e 'sağ 90' -e 'ig 600' -e 'sağ 90' -e 'ig 600' -e 'sağ 90' -e 'ig 600' -e 'sağ 90' \
  -e 'ky' -e 'kurpos 1100,700' -e 'ka' -e 'degkr [220 60 60]' \
  -e 'tekrar 4 [ig 600 sağ 90]' \
  -e 'sk'
save en square \
  -e '; Teaches: a first square, four sides and four turns, then the same square with repeat' \
  -e 'setsc [250 250 240]' -e 'spw 8' \
  -e 'pu' -e 'setpos 300,700' -e 'pd' -e 'setpc [40 90 200]' \
  -e 'fd 600' -e 'rt 90' -e 'fd 600' -e 'rt 90' -e 'fd 600' -e 'rt 90' -e 'fd 600' -e 'rt 90' \
  -e 'pu' -e 'setpos 1100,700' -e 'pd' -e 'setpc [220 60 60]' \
  -e 'repeat 4 [fd 600 rt 90]' \
  -e 'ht'

# Short keywords: one procedure with inputs draws every polygon from three to ten sides.
save tr polygons \
  --define 'çokgen :kenar :boy' 'tekrar :kenar [ig :boy sol 360/:kenar]' \
  -e '; Öğrettiği: girdi alan bir yordam; aynı çokgen yordamı üçgenden ongene hepsini çizer' \
  -e 'deger [250 250 240]' -e 'kk 5' \
  -e 'ky' -e 'kurpos 850,1650' -e 'ka' \
  -e 'tekrar 8 [degkr [250-repcount*28 60+repcount*15 repcount*30] çokgen repcount+2, 300]' \
  -e 'sk'
save en polygons \
  --define 'polygon :sides :size' 'repeat :sides [fd :size lt 360/:sides]' \
  -e '; Teaches: a procedure with inputs; the same polygon procedure draws every one from a triangle to a decagon' \
  -e 'setsc [250 250 240]' -e 'spw 5' \
  -e 'pu' -e 'setpos 850,1650' -e 'pd' \
  -e 'repeat 8 [setpc [250-repcount*28 60+repcount*15 repcount*30] polygon repcount+2, 300]' \
  -e 'ht'

# Long keywords: a clock face whose numbers are written with label.
save tr clock \
  -e '; Öğrettiği: yaz ile yazı yazmak, setyaziboyu ve setyazıadı ile seçilen boyda ve yazı tipinde' \
  -e 'değiştirekranrenk [255 250 235]' \
  -e 'kalemyukarı' -e 'kurpos 350,1000' -e 'yond 0' -e 'kalemaşağı' \
  -e 'değiştirkalemrenk [60 60 90]' -e 'değiştirdolgurenk [255 255 255]' -e 'setkalemkalınlık 14' \
  -e 'elips 0,1300' \
  -e 'setyazıadı DejaVu Sans' -e 'setyaziboyu 48' \
  -e 'kalemyukarı' \
  -e 'kurpos 1202,516' -e 'yaz 1' \
  -e 'kurpos 1392,706' -e 'yaz 2' \
  -e 'kurpos 1462,966' -e 'yaz 3' \
  -e 'kurpos 1392,1226' -e 'yaz 4' \
  -e 'kurpos 1202,1416' -e 'yaz 5' \
  -e 'kurpos 942,1486' -e 'yaz 6' \
  -e 'kurpos 682,1416' -e 'yaz 7' \
  -e 'kurpos 492,1226' -e 'yaz 8' \
  -e 'kurpos 422,966' -e 'yaz 9' \
  -e 'kurpos 474,706' -e 'yaz 10' \
  -e 'kurpos 664,516' -e 'yaz 11' \
  -e 'kurpos 924,446' -e 'yaz 12' \
  -e 'kurpos 1000,1000' -e 'kalemaşağı' -e 'setkalemkalınlık 18' -e 'yond 0' -e 'ileri 330' \
  -e 'kalemyukarı' -e 'kurpos 1000,1000' -e 'kalemaşağı' -e 'setkalemkalınlık 10' -e 'yond 270' -e 'ileri 440' \
  -e 'değiştirkalemrenk [200 40 40]' -e 'setkalemkalınlık 30' -e 'kalemyukarı' -e 'kurpos 1000,1000' -e 'kalemaşağı' -e 'ileri 1' \
  -e 'kalemyukarı' -e 'kurpos 820,1760' -e 'yond 0' -e 'setyaziboyu 40' -e 'yaz Three o clock' \
  -e 'saklakaplumbağa'
save en clock \
  -e '; Teaches: writing text with label, in a size and font chosen with setfontsize and setfontname' \
  -e 'setscreencolor [255 250 235]' \
  -e 'penup' -e 'setpos 350,1000' -e 'seth 0' -e 'pendown' \
  -e 'setpencolor [60 60 90]' -e 'setfillcolor [255 255 255]' -e 'setpenwidth 14' \
  -e 'elips 0,1300' \
  -e 'setfontname DejaVu Sans' -e 'setfontsize 48' \
  -e 'penup' \
  -e 'setpos 1202,516' -e 'label 1' \
  -e 'setpos 1392,706' -e 'label 2' \
  -e 'setpos 1462,966' -e 'label 3' \
  -e 'setpos 1392,1226' -e 'label 4' \
  -e 'setpos 1202,1416' -e 'label 5' \
  -e 'setpos 942,1486' -e 'label 6' \
  -e 'setpos 682,1416' -e 'label 7' \
  -e 'setpos 492,1226' -e 'label 8' \
  -e 'setpos 422,966' -e 'label 9' \
  -e 'setpos 474,706' -e 'label 10' \
  -e 'setpos 664,516' -e 'label 11' \
  -e 'setpos 924,446' -e 'label 12' \
  -e 'setpos 1000,1000' -e 'pendown' -e 'setpenwidth 18' -e 'seth 0' -e 'forward 330' \
  -e 'penup' -e 'setpos 1000,1000' -e 'pendown' -e 'setpenwidth 10' -e 'seth 270' -e 'forward 440' \
  -e 'setpencolor [200 40 40]' -e 'setpenwidth 30' -e 'penup' -e 'setpos 1000,1000' -e 'pendown' -e 'forward 1' \
  -e 'penup' -e 'setpos 820,1760' -e 'seth 0' -e 'setfontsize 40' -e 'label Three o clock' \
  -e 'hideturtle'

# Long keywords: a rainbow of thick coloured rings behind a green hill.
save tr rainbow \
  --define 'halka :r' 'kalemyukarı
kurpos 1000 - :r,1600
yond 0
kalemaşağı
elips 0,2 * :r' \
  -e '; Öğrettiği: renk listeleri [kırmızı yeşil mavi], kalem ve dolgu rengi, elips ile iç içe halkalar' \
  -e 'değiştirekranrenk [200 230 255]' -e 'değiştirdolgurenk [200 230 255]' -e 'setkalemkalınlık 44' \
  -e 'değiştirkalemrenk [230 40 40]' -e 'halka 800' \
  -e 'değiştirkalemrenk [245 140 30]' -e 'halka 760' \
  -e 'değiştirkalemrenk [250 220 40]' -e 'halka 720' \
  -e 'değiştirkalemrenk [60 180 70]' -e 'halka 680' \
  -e 'değiştirkalemrenk [40 120 220]' -e 'halka 640' \
  -e 'değiştirkalemrenk [70 50 160]' -e 'halka 600' \
  -e 'değiştirkalemrenk [150 60 190]' -e 'halka 560' \
  -e 'kalemyukarı' -e 'kurpos 0,2000' -e 'kalemaşağı' \
  -e 'değiştirkalemrenk [200 230 255]' -e 'setkalemkalınlık 800' -e 'kurpos 2000,2000' \
  -e 'kalemyukarı' -e 'kurpos 100,1700' -e 'kalemaşağı' -e 'setkalemkalınlık 1' \
  -e 'değiştirkalemrenk [90 170 70]' -e 'değiştirdolgurenk [90 170 70]' -e 'elips 1711,560' \
  -e 'saklakaplumbağa'
save en rainbow \
  --define 'ring :r' 'penup
setpos 1000 - :r,1600
seth 0
pendown
elips 0,2 * :r' \
  -e '; Teaches: colour lists [red green blue], pen and fill colours, and rings one inside another with elips' \
  -e 'setscreencolor [200 230 255]' -e 'setfillcolor [200 230 255]' -e 'setpenwidth 44' \
  -e 'setpencolor [230 40 40]' -e 'ring 800' \
  -e 'setpencolor [245 140 30]' -e 'ring 760' \
  -e 'setpencolor [250 220 40]' -e 'ring 720' \
  -e 'setpencolor [60 180 70]' -e 'ring 680' \
  -e 'setpencolor [40 120 220]' -e 'ring 640' \
  -e 'setpencolor [70 50 160]' -e 'ring 600' \
  -e 'setpencolor [150 60 190]' -e 'ring 560' \
  -e 'penup' -e 'setpos 0,2000' -e 'pendown' \
  -e 'setpencolor [200 230 255]' -e 'setpenwidth 800' -e 'setpos 2000,2000' \
  -e 'penup' -e 'setpos 100,1700' -e 'pendown' -e 'setpenwidth 1' \
  -e 'setpencolor [90 170 70]' -e 'setfillcolor [90 170 70]' -e 'elips 1711,560' \
  -e 'hideturtle'

# Short keywords: a quilt of squares, each coloured in with fill.
save tr quilt \
  --define 'yama :x :y' 'ky
kurpos :x,:y
ka
yond 0
tekrar 4 [ig 300 sağ 90]
ky
kurpos :x + 150,:y + 150
degdr [:x/8 100+:y/12 250-:x/8]
doldur' \
  --define 'sıra :y' 'tekrar 5 [yama repcount * 300 - 50, :y]' \
  -e '; Öğrettiği: doldur ile kapalı bir kareyi boyamak; iki yordam ve tekrar bir yorgan yapar' \
  -e 'deger [255 255 255]' -e 'degkr [50 50 50]' -e 'kk 6' \
  -e 'tekrar 5 [sıra repcount * 300 - 50]' \
  -e 'sk'
save en quilt \
  --define 'patch :x :y' 'pu
setpos :x,:y
pd
seth 0
repeat 4 [fd 300 rt 90]
pu
setpos :x + 150,:y + 150
setfc [:x/8 100+:y/12 250-:x/8]
fill' \
  --define 'row :y' 'repeat 5 [patch repcount * 300 - 50, :y]' \
  -e '; Teaches: fill, colouring in a closed square; two procedures and repeat make a quilt' \
  -e 'setsc [255 255 255]' -e 'setpc [50 50 50]' -e 'spw 6' \
  -e 'repeat 5 [row repcount * 300 - 50]' \
  -e 'ht'

# Long keywords: the Fibonacci squares, each as long as the two before it
# together; fib gives its value to the expression that calls it. Every move
# is a whole number of steps, so the squares meet exactly.
save tr fibonacci \
  --define 'fib :n' 'eğer :n < 3 [sonuç 1]
sonuç fib(:n - 1) + fib(:n - 2)' \
  --define 'kare :kenar' 'tekrar 4 [ileri :kenar sağ 90]
kalemyukarı
ileri :kenar
sağ 90
ileri :kenar
kalemaşağı' \
  -e '; Öğrettiği: değer veren yordam (sonuç) ve onun bir ifadenin içinde kullanılması' \
  -e 'setkalemkalınlık 8' -e 'kalemyukarı' -e 'kurpos 1224,857' -e 'kalemaşağı' \
  -e 'değiştirkalemrenk [200 60 40]' -e 'tekrar 11 [kare fib(repcount) * 7]' \
  -e 'saklakaplumbağa'
save en fibonacci \
  --define 'fib :n' 'if :n < 3 [output 1]
output fib(:n - 1) + fib(:n - 2)' \
  --define 'square :side' 'repeat 4 [forward :side right 90]
penup
forward :side
right 90
forward :side
pendown' \
  -e '; Teaches: a procedure that gives a value (output), used inside an expression' \
  -e 'setpenwidth 8' -e 'penup' -e 'setpos 1224,857' -e 'pendown' \
  -e 'setpencolor [200 60 40]' -e 'repeat 11 [square fib(repcount) * 7]' \
  -e 'hideturtle'
