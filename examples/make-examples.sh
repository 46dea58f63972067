#!/usr/bin/env bash
# Writes the sample programs of this folder (*.elg) from the texts below with
# the headless runner of the build folder given as $1 (default: build).
# Each program is put together from --define procedures and -e lines of the
# main procedure and saved without being run (--max-lines 0).
#
# Things worth knowing when writing such programs: every dialect is accepted
# at any time; a list (of repeat, if, ...) and a procedure call run after the
# rest of their line, so "repeat 3 [rt 120 koch 2, 90]" turns before it draws.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
runner="$build/bin/mivarelo-run"
if [ ! -x "$runner" ]; then
  echo "Cannot write the examples: $runner has not been built." >&2
  exit 1
fi

save() {
  local name=$1
  shift
  "$runner" --max-lines 0 --save "$here/$name.elg" "$@"
  echo "Wrote $here/$name.elg"
}

# Turkish long: a flower of 36 turning squares with a stem and two leaves.
save flower \
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

# Turkish short: filled stars and a crescent moon in the night sky.
save stars \
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

# English long: a triangular spiral whose colour runs from red to cyan.
save spiral --english \
  --define 'polyspiral :count :angle :grow' 'repeat :count [setpencolor [255-repcount*255/:count 60+repcount*150/:count repcount*255/:count] forward repcount*:grow right :angle]' \
  -e '; Teaches: a procedure with three inputs, and a colour that changes with repcount' \
  -e 'setscreencolor [250 248 240]' \
  -e 'penup' -e 'setpos 1000,1000' -e 'pendown' -e 'setpenwidth 3' \
  -e 'polyspiral 300, 121, 5' \
  -e 'hideturtle'

# English short: a recursive tree in blossom on a strip of grass.
save tree --english \
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

# Mixed dialects: Koch snowflakes, filled once they are closed.
save snowflake \
  --define 'koch :n :len' 'eğer :n < 1 [ileri :len durdur]
koch :n - 1, :len / 3
lt 60
koch :n - 1, :len / 3
sağ 120
koch :n - 1, :len / 3
sol 60
koch :n - 1, :len / 3' \
  --define 'kartanesi :x :y :n :len' 'penup
setpos :x - :len / 2,:y - :len * 0.2887
seth 240
kalemaşağı
tekrar 3 [sağ 120 koch :n, :len]' \
  --define 'renklendir :x :y :r :g :b' 'ky
kurpos :x,:y
degdr [:r :g :b]
fill' \
  -e '; Teaches: the four dialects mixed in one program, recursion (the Koch curve) and fill' \
  -e 'setsc [25 45 90]' -e 'spw 3' \
  -e 'degkr [255 255 255]' -e 'kartanesi 1000, 1000, 4, 1134' \
  -e 'renklendir 1000, 1000, 170, 215, 255' \
  -e 'degkr [170 215 255]' \
  -e 'kartanesi 300, 300, 3, 216' -e 'renklendir 300, 300, 255, 255, 255' \
  -e 'kartanesi 1700, 300, 3, 216' -e 'renklendir 1700, 300, 255, 255, 255' \
  -e 'kartanesi 300, 1700, 3, 216' -e 'renklendir 300, 1700, 255, 255, 255' \
  -e 'kartanesi 1700, 1700, 3, 216' -e 'renklendir 1700, 1700, 255, 255, 255' \
  -e 'ht'

# Turkish long: a house with filled walls, roof, door and windows, and a sun.
save house \
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

# English short: the very first program, a square side by side and with repeat.
save square --english \
  -e '; Teaches: a first square, four sides and four turns, then the same square with repeat' \
  -e 'setsc [250 250 240]' -e 'spw 8' \
  -e 'pu' -e 'setpos 300,700' -e 'pd' -e 'setpc [40 90 200]' \
  -e 'fd 600' -e 'rt 90' -e 'fd 600' -e 'rt 90' -e 'fd 600' -e 'rt 90' -e 'fd 600' -e 'rt 90' \
  -e 'pu' -e 'setpos 1100,700' -e 'pd' -e 'setpc [220 60 60]' \
  -e 'repeat 4 [fd 600 rt 90]' \
  -e 'ht'

# Turkish short: one procedure with inputs draws every polygon from three to ten sides.
save polygons \
  --define 'çokgen :kenar :boy' 'tekrar :kenar [ig :boy sol 360/:kenar]' \
  -e '; Öğrettiği: girdi alan bir yordam; aynı çokgen yordamı üçgenden ongene hepsini çizer' \
  -e 'deger [250 250 240]' -e 'kk 5' \
  -e 'ky' -e 'kurpos 850,1650' -e 'ka' \
  -e 'tekrar 8 [degkr [250-repcount*28 60+repcount*15 repcount*30] çokgen repcount+2, 300]' \
  -e 'sk'

# English long: a clock face whose numbers are written with label.
save clock --english \
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

# Turkish long: a rainbow of thick coloured rings behind a green hill.
save rainbow \
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

# English short: a quilt of squares, each coloured in with fill.
save quilt --english \
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
