"""Pictures 33..64 (no 45): the rarer weapons, tools and the doomsday weapons.
Each function draws one picture on a fresh Pic; coordinates are pixel centres (see pixelart)."""

import math

import pixelart
from pixelart import BG

PICTURES, picture = pixelart.picture_registry()


@picture(33, "Freeze: ice-blue snowflake")
def freeze(p):
    for k in range(3):
        a = math.radians(90 + k * 60)
        dx, dy = 12 * math.cos(a), 12 * math.sin(a)
        p.bar(15 - dx, 15 - dy, 15 + dx, 15 + dy, 1.7, "b2")
    for k in range(6):
        a = math.radians(90 + k * 60)
        bx, by = 15 + 8 * math.cos(a), 15 + 8 * math.sin(a)
        for s in (-1, 1):
            b = a + s * math.radians(50)
            p.bar(bx, by, bx + 4.5 * math.cos(b), by + 4.5 * math.sin(b), 1.2, "b1")
    for k in range(3):
        a = math.radians(90 + k * 60)
        dx, dy = 11 * math.cos(a), 11 * math.sin(a)
        p.bar(15 - dx, 15 - dy, 15 + dx, 15 + dy, 0.7, "cy")
    p.disc(15, 15, 2.5, "wh")
    p.outline()


@picture(34, "Drill bomb: red bomb with a steel drill nose")
def drill_bomb(p):
    p.poly([(9, 5), (12, 1), (18, 1), (21, 5)], "m3")
    p.rect(10, 5, 19, 16, "r2")
    p.rect(11, 5, 14, 16, "r1")
    p.poly([(9, 17), (21, 17), (15, 30)], "m2")
    p.poly([(11, 17), (15, 17), (15, 28)], "m1")
    for y in (19, 22, 25):
        p.line(11 + (y - 17) // 3, y + 1, 19 - (y - 17) // 3, y - 1, "m4")
    p.outline()


@picture(35, "Gas canister: grey can pouring out green gas")
def gas(p):
    for x, y, r in ((18, 12, 6), (24, 7, 4.5), (12, 7, 4), (23, 17, 4.5), (8, 14, 3)):
        p.disc(x, y, r, "g2")
    for x, y, r in ((17, 11, 3.6), (23, 6, 2.5), (12, 6, 2.2), (22, 16, 2.5)):
        p.disc(x, y, r, "g1")
    p.rect(4, 17, 13, 28, "m3")
    p.rect(5, 17, 8, 28, "m2")
    p.rect(6, 15, 11, 17, "m4")
    p.rect(4, 22, 13, 23, "au")
    p.outline()


@picture(36, "Lightning: storm cloud and a yellow bolt")
def lightning(p):
    p.poly([(15, 12), (9, 21), (14, 21), (10, 30), (22, 17), (16, 17), (20, 12)], "y1")
    p.poly([(16, 13), (11, 20), (14, 20), (13, 24), (19, 16)], "y2")
    for x, y, r in ((8, 9, 5), (15, 6, 6), (22, 9, 5.5), (13, 11, 4.5), (19, 12, 3.5)):
        p.disc(x, y, r, "m3")
    for x, y, r in ((8, 8, 3.6), (15, 5, 4.6), (22, 8, 4)):
        p.disc(x, y, r, "m2")
    p.outline()


@picture(37, "Ray gun: teal body, red beam")
def ray_gun(p):
    p.rect(18, 12, 29, 14, "r1")
    p.rect(18, 13, 29, 13, "y2")
    p.ellipse(11, 12, 8, 5, (40, 140, 140))
    p.ellipse(10, 11, 6, 3, (90, 206, 196))
    for x in (13, 16):
        p.rect(x, 6, x + 1, 18, "au")
    p.disc(20, 13, 2.6, "m2")
    p.poly([(6, 16), (11, 16), (9, 27), (3, 27)], (40, 140, 140))
    p.outline()


@picture(38, "Tank: tracks, hull, turret and long gun")
def tank(p):
    p.ellipse(15, 23, 13, 4.5, "m4")
    for x in (6, 11, 16, 21, 25):
        p.disc(x, 23, 2, "m2")
    p.rect(3, 15, 27, 19, "g3")
    p.rect(3, 15, 27, 16, "g2")
    p.ellipse(14, 13, 7, 4.2, "g3")
    p.ellipse(13, 12, 5.5, 2.8, "g2")
    p.rect(18, 10, 29, 12, "m3")
    p.outline()


@picture(39, "Sledgehammer: steel head on a long handle")
def sledgehammer(p):
    p.bar(15, 10, 15, 28, 1.7, "w2")
    p.bar(14.6, 10, 14.6, 28, 0.7, "w1")
    p.rect(4, 3, 26, 11, "m3")
    p.rect(4, 3, 26, 6, "m2")
    p.rect(5, 4, 25, 4, "m1")
    p.rect(4, 3, 5, 11, "m4")
    p.rect(25, 3, 26, 11, "m4")
    p.outline()


@picture(40, "Spring: coiled steel spring with red pads")
def spring(p):
    p.rect(6, 2, 23, 5, "r2")
    p.rect(6, 2, 23, 3, "r1")
    p.rect(6, 25, 23, 28, "r2")
    for y in range(7, 25, 4):
        p.bar(7, y + 2, 22, y, 1.3, "m2")
        p.bar(8, y + 1, 21, y - 1, 0.5, "m1")
    p.outline()


@picture(41, "Firework rocket: striped tube, stick and sparks")
def firework(p):
    p.rect(10, 11, 16, 23, "wh")
    for y in (13, 17, 21):
        p.rect(10, y, 16, y + 1, "r1")
    p.poly([(9, 11), (13.5, 4), (18, 11)], "r2")
    p.rect(12, 24, 14, 29, "w2")
    for x, y, c in ((23, 6, "y1"), (24, 16, "pk"), (5, 5, "cy"), (25, 25, "o1")):
        p.star(x, y, 4, 1.3, 4, c, rot=-45 if c in ("pk", "cy") else -90)
    p.outline()


@picture(42, "Throwing star: four-pointed steel star")
def throwing_star(p):
    p.star(16, 14, 13, 4.2, 4, "m3", rot=-45)
    p.star(16, 14, 11, 3, 4, "m2", rot=-45)
    p.star(15, 13, 6, 1.6, 4, "m1", rot=-45)
    p.disc(16, 14, 2, "m4")
    p.bar(1, 26, 8, 26, 0.6, "wh")
    p.bar(3, 22, 9, 22, 0.6, "wh")
    p.outline()


@picture(43, "Cannon: iron barrel on a wooden wheel")
def cannon(p):
    p.taper(5, 20, 4.5, 23, 9, 3.5, "m4")
    p.taper(5, 19, 2.5, 23, 8, 2, "m3")
    p.disc(24, 8.5, 3.8, "m3")
    p.disc(24, 8.5, 2, "m4")
    p.disc(12, 21, 6.5, "w2")
    p.ring(12, 21, 6.5, 1.8, "w3")
    p.rect(11, 15, 12, 27, "w3")
    p.rect(6, 20, 18, 21, "w3")
    p.shaded_disc(25, 24, 3.6, "m4", "m3", "m2")
    p.outline()


@picture(44, "Sea mine: spiked ball on a chain")
def sea_mine(p):
    for k in range(8):
        a = math.radians(k * 45)
        p.bar(15, 12, 15 + 11 * math.cos(a), 12 + 11 * math.sin(a), 1.4, "m3")
    p.shaded_disc(15, 12, 8, "r3", "r2", "r1")
    for k in range(4):
        p.ring(15, 22 + k * 2, 1.6, 0.9, "m2")
    p.outline()


@picture(46, "Detonator: wooden box with a plunger and wires")
def detonator(p):
    p.rect(6, 13, 23, 26, "w2")
    p.rect(6, 13, 23, 15, "w1")
    p.rect(8, 18, 21, 18, "w3")
    p.rect(13, 6, 16, 12, "m2")
    p.rect(7, 3, 22, 6, "m3")
    p.rect(7, 3, 22, 4, "m2")
    p.line(23, 22, 27, 24, "r1")
    p.line(27, 24, 28, 28, "r1")
    p.line(23, 24, 25, 28, "y1")
    p.outline()


@picture(47, "Volcano: mountain erupting lava")
def volcano(p):
    p.poly([(0, 30), (10, 13), (20, 13), (30, 30)], "w3")
    p.poly([(4, 30), (11, 15), (15, 15), (12, 30)], "w2")
    p.poly([(11, 13), (19, 13), (21, 22), (17, 18), (14, 24), (12, 17)], "r2")
    for x, y, r, c in ((15, 8, 6, "r2"), (9, 5, 3.5, "o2"), (21, 5, 3.5, "o2"),
                       (15, 6, 3.6, "o1"), (15, 5, 1.8, "y2")):
        p.disc(x, y, r, c)
    for x, y in ((4, 2), (26, 3), (27, 11), (3, 10)):
        p.rect(x, y, x + 1, y + 1, "o1")
    p.rect(0, 29, 29, 29, "w3")
    p.outline()


@picture(48, "Torpedo: grey torpedo with propeller and bubbles")
def torpedo(p):
    p.ellipse(14, 14, 12, 4.5, "m3")
    p.ellipse(14, 13, 11, 2.8, "m2")
    p.ellipse(12, 12, 7, 1.2, "m1")
    p.rect(22, 12, 23, 16, "r1")
    p.poly([(3, 9), (6, 13), (6, 15), (3, 19)], "m4")
    p.rect(1, 12, 2, 16, "au")
    for x, y, r in ((22, 23, 2.5), (15, 24, 1.8), (26, 5, 1.8), (9, 23, 1.4)):
        p.ring(x, y, r, 1, "b1")
    p.outline()


@picture(49, "Earthquake: ground split by a glowing crack")
def earthquake(p):
    p.rect(2, 13, 27, 27, "w2")
    p.rect(2, 13, 27, 15, "g2")
    p.rect(2, 13, 27, 13, "g1")
    p.poly([(13, 13), (17, 13), (14, 18), (19, 21), (13, 29), (15, 22), (10, 19)], "r2")
    p.poly([(14, 14), (16, 14), (13, 18), (17, 21), (14, 26), (14, 22), (11, 19)], "o1")
    for y in (4, 8):
        p.bar(2, y, 7, y + 2, 0.7, "m3")
        p.bar(22, y + 2, 27, y, 0.7, "m3")
    for x, y in ((10, 5), (18, 7), (14, 3)):
        p.rect(x, y, x + 2, y + 2, "st")
    p.outline()


@picture(50, "Magnet: red horseshoe with steel tips")
def magnet(p):
    p.arc(15, 13, 11, 5, 180, 360, "r2")
    p.arc(15, 13, 10, 2, 190, 350, "r1")
    p.rect(4, 13, 9, 21, "r2")
    p.rect(21, 13, 26, 21, "r2")
    p.rect(4, 22, 9, 26, "m1")
    p.rect(21, 22, 26, 26, "m1")
    p.outline()
    for x in (11, 15, 19):
        p.rect(x, 21, x, 23, "b2")


@picture(51, "Mace: spiked steel ball on a handle")
def mace(p):
    p.bar(6, 26, 16, 14, 1.6, "w2")
    p.disc(5, 27, 2, "w3")
    for k in range(8):
        a = math.radians(k * 45 + 22.5)
        p.bar(19, 10, 19 + 9 * math.cos(a), 10 + 9 * math.sin(a), 1.2, "m3")
    p.shaded_disc(19, 10, 6, "m3", "m2", "m1")
    p.outline()


@picture(52, "Balloon bomb: red balloon carrying a bomb")
def balloon_bomb(p):
    p.ellipse(15, 9, 8, 8.5, "r2")
    p.ellipse(14, 8, 6.5, 7, "r1")
    p.ellipse(12, 5, 2, 2.5, "pk")
    p.poly([(13, 17), (17, 17), (15, 19)], "r2")
    p.line(15, 19, 15, 21, "w3")
    p.shaded_disc(15, 25, 4.5, "m4", "m3", "m2")
    p.rect(14, 20, 16, 21, "m3")
    p.outline()


@picture(53, "Missile barrage: three rockets climbing together")
def barrage(p):
    for ox, oy in ((0, 8), (7, 0), (13, 12)):
        x0, y0, x1, y1 = 3 + ox, 20 + oy - 8, 10 + ox, 13 + oy - 8
        p.bar(x0, y0, x1, y1, 2.2, "wh")
        p.taper(x1, y1, 2.2, x1 + 3.5, y1 - 3.5, 0.3, "r1")
        p.taper(x0 - 1, y0 + 1, 1.8, x0 - 5, y0 + 5, 0.5, "o1")
    p.outline()


@picture(54, "Orbital laser: satellite firing a beam to the ground")
def orbital_laser(p):
    p.poly([(12, 9), (18, 9), (22, 27), (8, 27)], "pk")
    p.poly([(14, 9), (16, 9), (18, 27), (12, 27)], "wh")
    p.ellipse(15, 27, 12, 3, "o1")
    p.ellipse(15, 27, 7, 2, "y2")
    p.rect(1, 3, 9, 7, "b2")
    p.rect(21, 3, 29, 7, "b2")
    for x in (3, 6, 23, 26):
        p.rect(x, 3, x, 7, "b3")
    p.rect(10, 4, 20, 6, "m3")
    p.rect(12, 1, 18, 9, "m2")
    p.rect(13, 2, 15, 7, "m1")
    p.outline()


@picture(55, "Tidal wave: a huge curling wave with foam")
def tidal_wave(p):
    p.poly([(0, 29), (0, 20), (6, 9), (14, 3), (23, 3), (28, 8), (28, 14), (23, 10), (18, 11),
            (16, 17), (22, 24), (29, 24), (29, 29)], "b2")
    p.poly([(2, 29), (3, 20), (8, 11), (15, 6), (21, 6), (25, 9), (20, 9), (15, 11), (12, 19),
            (16, 26), (10, 29)], "b1")
    p.arc(20, 11, 8, 2.2, 200, 340, "wh")
    p.disc(27.5, 10, 1.8, "wh")
    p.disc(24, 26, 1.6, "cy")
    p.disc(28, 26, 1.2, "cy")
    p.outline()


@picture(56, "First aid kit: green case with a white cross")
def first_aid(p):
    p.rect(3, 9, 26, 26, "g2")
    p.rect(3, 9, 26, 11, "g1")
    p.rect(10, 5, 19, 8, "m3")
    p.rect(12, 6, 17, 8, BG)
    p.rect(12, 12, 17, 24, "wh")
    p.rect(8, 15, 21, 20, "wh")
    p.outline()


@picture(57, "Shield: blue shield with a golden rim and star")
def shield(p):
    p.poly([(3, 3), (27, 3), (27, 14), (15, 29), (3, 14)], "au2")
    p.poly([(5, 5), (25, 5), (25, 14), (15, 26), (5, 14)], "b2")
    p.poly([(5, 5), (15, 5), (15, 26), (5, 14)], "b1")
    p.star(15, 14, 6.5, 2.6, 5, "au")
    p.outline()


@picture(58, "Hourglass: golden frame and running sand")
def hourglass(p):
    p.poly([(8, 5), (22, 5), (22, 8), (16, 15), (22, 22), (22, 25), (8, 25), (8, 22), (14, 15),
            (8, 8)], "cy")
    p.poly([(10, 10), (20, 10), (15, 15)], "y1")
    p.poly([(15, 17), (21, 24), (9, 24)], "y1")
    p.rect(14, 15, 15, 20, "y1")
    p.rect(5, 2, 25, 5, "au2")
    p.rect(5, 25, 25, 28, "au2")
    p.rect(5, 2, 25, 2, "au")
    p.rect(6, 5, 7, 25, "au3")
    p.rect(23, 5, 24, 25, "au3")
    p.outline()


@picture(59, "Binoculars: twin barrels with blue lenses")
def binoculars(p):
    for x in (8, 21):
        p.rect(x - 5, 6, x + 5, 24, "m4")
        p.rect(x - 4, 6, x - 1, 24, "m3")
        p.ellipse(x, 24, 5.5, 3.5, "m3")
        p.ellipse(x, 24, 3.5, 2, "b1")
    p.rect(13, 10, 16, 16, "m2")
    p.rect(12, 3, 17, 6, "m3")
    p.outline()


@picture(60, "Planet cracker: a world breaking apart in fire")
def planet_cracker(p):
    p.disc(15, 15, 13.5, "o1")
    p.disc(15, 15, 12, "b2")
    p.fill(lambda x, y: (x - 15) ** 2 + (y - 15) ** 2 <= 144 and (
        math.sin(x * 0.55) + math.cos(y * 0.45 + x * 0.2) > 0.6), "g2")
    p.poly([(16, 2), (19, 9), (14, 14), (18, 19), (13, 28), (11, 27), (14, 19), (10, 14),
            (15, 9), (13, 3)], "y1")
    p.poly([(15, 4), (17, 9), (12, 14), (16, 19), (12, 26), (12, 19), (8, 14), (13, 9)], "wh")
    for x, y, r in ((3, 4, 1.8), (27, 5, 2.2), (26, 26, 1.6), (4, 25, 2)):
        p.disc(x, y, r, "r1")
    p.outline()


@picture(61, "Anvil: heavy iron anvil falling")
def anvil(p):
    p.poly([(2, 10), (26, 10), (26, 15), (20, 16), (20, 21), (24, 25), (24, 28), (6, 28),
            (6, 25), (10, 21), (10, 16), (6, 15)], "m4")
    p.rect(3, 10, 25, 11, "m2")
    p.rect(11, 12, 13, 26, "m3")
    for x in (6, 14, 22):
        p.rect(x, 1, x, 6, "wh")
    p.outline()


@picture(62, "Supernova: a blinding burst of light")
def supernova(p):
    p.star(15, 15, 15, 6, 12, "r1", rot=-90)
    p.star(15, 15, 13, 6, 8, "o1", rot=-67.5)
    p.star(15, 15, 10.5, 5, 8, "y1", rot=-90)
    p.disc(15, 15, 5, "y2")
    p.disc(15, 15, 3, "wh")
    p.outline()


@picture(63, "Golden bomb: gleaming gold bomb with sparkles")
def golden_bomb(p):
    p.shaded_disc(14, 17, 10, "au3", "au2", "au")
    p.disc(10, 13, 2.4, "y2")
    p.rect(11, 5, 17, 8, "au3")
    p.line(14, 5, 17, 2, "w2")
    for x, y, r in ((21.5, 2.5, 3), (26, 12, 3.6), (4, 4, 2.6)):
        p.star(x, y, r, r * 0.32, 4, "wh")
    p.outline()


@picture(64, "Black hole: dark core in a blazing swirl")
def black_hole(p):
    p.ellipse(15, 15, 14.5, 7, "o2")
    p.ellipse(15, 15, 12, 5.2, "y1")
    p.ellipse(15, 15, 9, 3.6, "o1")
    for k in range(2):
        for i in range(40):
            a = math.radians(k * 180 + i * 6)
            r = 7 + i * 0.18
            x, y = 15 + r * math.cos(a), 15 + r * 0.95 * math.sin(a)
            p.rect(int(x), int(y), int(x) + 1, int(y) + 1, "p1")
    p.disc(15, 15, 7, "p3")
    p.disc(15, 15, 5, "p4")
    p.ring(15, 15, 7.5, 1, "wh")
    p.outline()
