"""Pictures 1..32: launchers, grenades, guns, melee weapons, strikes and the everyday tools.
Each function draws one picture on a fresh Pic; coordinates are pixel centres (see pixelart)."""

import pixelart

PICTURES, picture = pixelart.picture_registry()


@picture(1, "Rocket launcher: olive tube with a red warhead")
def rocket_launcher(p):
    p.rect(2, 10, 23, 17, "g3")
    p.rect(2, 10, 23, 15, "ol")
    p.rect(2, 10, 23, 11, "g1")
    p.rect(2, 10, 3, 17, "ol2")
    p.poly([(23, 9), (23, 19), (29, 14)], "r2")
    p.poly([(23, 9), (23, 14), (29, 14)], "r1")
    p.rect(8, 18, 10, 23, "w2")
    p.rect(14, 18, 16, 21, "m3")
    p.outline()


@picture(2, "Homing missile: white missile under a red target sight")
def homing_missile(p):
    p.ring(19, 11, 9, 2.2, "r2")
    p.rect(18, 1, 19, 5, "r2")
    p.rect(18, 17, 19, 20, "r2")
    p.rect(10, 10, 13, 11, "r2")
    p.rect(24, 10, 27, 11, "r2")
    p.bar(5, 25, 15, 15, 3, "m2")
    p.bar(5, 25, 15, 15, 2, "wh")
    p.taper(15, 15, 3, 19, 11, 0.5, "r1")
    p.poly([(3, 21), (7, 23), (9, 27), (4, 28)], "r2")
    p.outline()


@picture(3, "Grenade: green segmented body, lever and ring pin")
def grenade(p):
    p.ellipse(14, 19, 9, 10, "g3")
    p.ellipse(13, 18, 8, 9, "g2")
    p.ellipse(11, 15, 3, 3, "g1")
    for x in (10, 14, 18):
        p.rect(x, 11, x, 27, "g3")
    for y in (16, 21):
        p.rect(6, y, 22, y, "g3")
    p.rect(11, 6, 17, 9, "m2")
    p.rect(11, 6, 17, 7, "m1")
    p.poly([(17, 6), (22, 8), (23, 16), (21, 16), (20, 10), (17, 9)], "m2")
    p.ring(9, 6, 3.6, 1.6, "au")
    p.outline()


@picture(4, "Shotgun: double barrel and wooden stock")
def shotgun(p):
    p.rect(11, 9, 28, 13, "m3")
    p.rect(11, 9, 28, 10, "m1")
    p.rect(11, 11, 28, 11, "m4")
    p.rect(11, 12, 28, 12, "m2")
    p.poly([(1, 16), (11, 9), (13, 9), (13, 16), (10, 16), (4, 22), (1, 22)], "w2")
    p.poly([(2, 16), (11, 10), (12, 10), (12, 13), (3, 18)], "w1")
    p.rect(16, 14, 23, 16, "w1")
    p.ring(11, 18, 2.6, 1.2, "m3")
    p.outline()


@picture(5, "Pistol: grey slide and dark grip")
def pistol(p):
    p.rect(5, 7, 26, 13, "m3")
    p.rect(5, 7, 26, 10, "m2")
    p.rect(5, 7, 26, 7, "m1")
    p.rect(24, 5, 25, 6, "m3")
    p.poly([(6, 13), (13, 13), (12, 26), (4, 26)], "w3")
    p.poly([(7, 14), (11, 14), (10, 24), (6, 24)], "w2")
    p.ring(15, 15, 3.2, 1.2, "m3")
    p.outline()


@picture(6, "Cluster bomb: grey bomb spilling red bomblets")
def cluster_bomb(p):
    p.shaded_disc(11, 17, 9, "m4", "m3", "m2")
    p.rect(8, 6, 14, 8, "m3")
    p.shaded_disc(24, 8, 3.6, "r3", "r2", "r1")
    p.shaded_disc(25, 17, 3.6, "r3", "r2", "r1")
    p.shaded_disc(22, 25, 3.6, "r3", "r2", "r1")
    p.outline()


@picture(7, "Rope: coiled rope and a steel hook")
def rope(p):
    p.ring(9, 21, 8, 3, "w2")
    p.ring(9, 21, 7, 1, "w1")
    p.ring(9, 21, 4.5, 1, "w3")
    p.bar(14, 15, 20, 4, 1.3, "w1")
    p.ring(21, 3, 2.6, 1.3, "m2")
    p.bar(21, 5, 21, 14, 1.5, "m2")
    p.arc(24.5, 14, 4.5, 2.5, 0, 180, "m2")
    p.poly([(26, 14), (29, 14), (29, 9)], "m1")
    p.outline()


@picture(8, "Teleport: purple portal with a bright spiral")
def teleport(p):
    import math

    p.disc(15, 15, 13, "p3")
    p.disc(15, 15, 11, "p2")
    for i in range(220):
        a = i * 0.07
        r = 1 + i * 0.05
        x, y = 15 + r * math.cos(a), 15 + r * math.sin(a)
        p.rect(int(x), int(y), int(x) + 1, int(y) + 1, "cy")
    p.disc(15, 15, 2.2, "wh")
    for x, y in ((3, 4), (26, 3), (27, 25)):
        p.star(x + 0.5, y + 0.5, 2.6, 0.9, 4, "wh")
    p.outline()


@picture(9, "Dynamite: three red sticks, a band and a lit fuse")
def dynamite(p):
    for x in (6, 12, 18):
        p.rect(x, 11, x + 5, 27, "r2")
        p.rect(x + 1, 11, x + 3, 27, "r1")
    p.rect(6, 17, 23, 20, "w3")
    p.line(14, 10, 15, 6, "w2")
    p.line(15, 6, 19, 4, "w2")
    p.star(21.5, 4, 4.2, 1.6, 6, "o1")
    p.disc(21.5, 4, 1.3, "y2")
    p.outline()


@picture(10, "Land mine: flat grey disc with a red trigger")
def land_mine(p):
    p.ellipse(15, 20, 13, 6, "m4")
    p.ellipse(15, 18, 13, 6, "m3")
    p.ellipse(15, 17, 9, 4, "m2")
    p.ellipse(14, 16, 5, 2, "m1")
    p.rect(13, 10, 16, 14, "r2")
    p.rect(13, 10, 14, 13, "r1")
    p.outline()


@picture(11, "Baseball bat: wooden bat swung diagonally")
def bat(p):
    p.taper(5, 25, 1.8, 24, 6, 4.2, "w2")
    p.taper(5, 24, 1.0, 23, 6, 2.6, "w1")
    p.disc(4, 26, 2.6, "w3")
    for d in (-1, 0, 1):
        p.px(8 + d, 21 - d, "m2")
    p.outline()


@picture(12, "Submachine gun: compact body and long magazine")
def smg(p):
    p.rect(4, 8, 22, 14, "m4")
    p.rect(4, 8, 22, 10, "m3")
    p.rect(22, 10, 28, 12, "m3")
    p.rect(12, 15, 16, 27, "m3")
    p.rect(13, 15, 14, 26, "m2")
    p.rect(5, 15, 8, 20, "m4")
    p.rect(1, 9, 3, 12, "m2")
    p.outline()


@picture(13, "Boxing glove: red glove with white cuff")
def glove(p):
    p.ellipse(17, 12, 10, 9, "r2")
    p.ellipse(16, 11, 8.5, 7.5, "r1")
    p.ellipse(13, 7, 3.2, 2.2, "pk")
    p.ellipse(10, 17, 5, 4, "r2")
    p.rect(7, 20, 21, 27, "wh")
    p.rect(7, 24, 21, 25, "m1")
    p.outline()


@picture(14, "Parachute: striped canopy and cords")
def parachute(p):
    import math

    def stripe(red):
        def inside(x, y):
            if y > 13 or ((x - 15) / 14) ** 2 + ((y - 13) / 11) ** 2 > 1:
                return False
            a = math.degrees(math.atan2(y - 24, x - 15)) + 180
            return (int(a / 14) % 2 == 0) == red

        return inside

    p.fill(stripe(True), "r1")
    p.fill(stripe(False), "wh")
    for x0 in (3, 10, 19, 26):
        p.line(x0, 13, 15 if x0 < 15 else 14, 23, "w3")
    p.rect(12, 23, 17, 28, "w2")
    p.rect(13, 24, 16, 25, "w1")
    p.outline()


@picture(15, "Jet pack: twin tanks blasting flames")
def jetpack(p):
    for x in (6, 16):
        p.rect(x, 4, x + 7, 20, "m3")
        p.rect(x + 1, 4, x + 4, 20, "m2")
        p.rect(x + 2, 5, x + 3, 18, "m1")
        p.ellipse(x + 4, 4, 4, 2, "r1")
        p.poly([(x, 21), (x + 8, 21), (x + 4, 29)], "o1")
        p.poly([(x + 2, 21), (x + 6, 21), (x + 4, 26)], "y2")
    p.rect(13, 9, 16, 13, "w2")
    p.outline()


@picture(16, "Girder: orange steel truss beam")
def girder(p):
    col = (214, 96, 50)
    p.rect(1, 9, 28, 11, col)
    p.rect(1, 19, 28, 21, col)
    for x in range(1, 28, 9):
        p.bar(x + 1, 12, x + 5, 18, 1.3, col)
        p.bar(x + 5, 18, x + 9, 12, 1.3, col)
    p.rect(1, 9, 28, 9, (244, 150, 96))
    p.outline()


@picture(17, "Air strike: aeroplane dropping bombs")
def air_strike(p):
    p.ellipse(16, 6, 12, 3, "m2")
    p.ellipse(15, 5, 10, 1.4, "m1")
    p.poly([(2, 6), (3, 0), (7, 0), (9, 6)], "m3")
    p.poly([(12, 6), (20, 6), (15, 10), (10, 10)], "m3")
    p.ellipse(24, 5, 2.4, 1.4, "b1")
    for x, y in ((6, 21), (15, 25), (24, 19)):
        p.ellipse(x, y, 2.6, 3.6, "m4")
        p.ellipse(x - 0.6, y - 1, 1.2, 2, "m3")
        p.poly([(x - 2, y - 6), (x + 2, y - 6), (x + 1, y - 3), (x - 1, y - 3)], "m3")
    p.outline()


@picture(18, "Flamethrower: red fuel tank and a fan of fire")
def flamethrower(p):
    p.poly([(15, 16), (29, 6), (29, 27)], "r1")
    p.poly([(15, 16), (29, 10), (29, 23)], "o1")
    p.poly([(16, 16), (29, 13), (29, 20)], "y1")
    p.rect(2, 8, 8, 25, "r2")
    p.rect(3, 8, 5, 25, "r1")
    p.ellipse(5, 8, 3.5, 1.5, "m2")
    p.rect(8, 14, 16, 18, "m3")
    p.rect(8, 14, 16, 15, "m2")
    p.outline()


@picture(19, "Mortar: tube on a base plate, shell in flight")
def mortar(p):
    p.taper(9, 23, 3.4, 20, 9, 2.8, "g3")
    p.taper(8, 22, 2.2, 19, 9, 1.8, "g2")
    p.ellipse(9, 26, 8, 2.5, "m3")
    p.bar(16, 17, 21, 25, 1.1, "m3")
    p.ellipse(25, 4, 3.6, 2.4, "au2")
    p.ellipse(24, 3.5, 1.8, 1, "au")
    p.outline()


@picture(20, "Nuclear bomb: fiery mushroom cloud")
def nuke(p):
    p.ellipse(15, 26, 13, 3.5, "r2")
    p.ellipse(15, 25, 10, 2.5, "o2")
    p.taper(15, 24, 4.5, 15, 12, 2.6, "o2")
    p.taper(15, 24, 2.6, 15, 12, 1.4, "y1")
    p.ellipse(15, 9, 13, 7, "r2")
    p.ellipse(15, 8, 12, 5.5, "o2")
    p.ellipse(14, 7, 9, 4, "o1")
    p.ellipse(13, 6, 5, 2.3, "y1")
    p.ellipse(12, 5.5, 2, 1, "y2")
    p.ellipse(15, 14, 11, 1.4, "r1")
    p.outline()


@picture(21, "Fire bottle: green bottle with a burning rag")
def molotov(p):
    p.rect(9, 14, 20, 28, "g3")
    p.rect(10, 14, 19, 27, "g2")
    p.rect(11, 15, 12, 26, "g1")
    p.rect(12, 8, 17, 14, "g3")
    p.rect(13, 8, 15, 13, "g2")
    p.rect(11, 6, 18, 9, "wh")
    p.poly([(10, 7), (13, 0), (15, 4), (18, 0), (21, 7), (16, 6)], "o1")
    p.poly([(13, 6), (15, 2), (17, 6)], "y1")
    p.rect(10, 19, 19, 22, "w1")
    p.outline()


@picture(22, "Blowtorch: blue gas bottle with a hot blue flame")
def blowtorch(p):
    p.rect(3, 13, 12, 28, "b2")
    p.rect(4, 13, 7, 28, "b1")
    p.ellipse(7.5, 13, 4.5, 2, "b1")
    p.rect(5, 8, 10, 12, "m2")
    p.rect(10, 9, 17, 11, "m3")
    p.poly([(17, 10), (24, 5), (30, 10), (24, 15)], "b1")
    p.poly([(17, 10), (23, 7), (28, 10), (23, 13)], "cy")
    p.poly([(17, 10), (21, 9), (23, 10), (21, 11)], "wh")
    p.outline()


@picture(23, "Pneumatic drill: yellow hammer body and steel bit")
def jackhammer(p):
    p.rect(3, 3, 26, 6, "m3")
    p.rect(3, 3, 26, 4, "m2")
    p.rect(9, 7, 20, 19, "au2")
    p.rect(10, 7, 15, 19, "y1")
    p.rect(9, 11, 20, 12, "w3")
    p.rect(13, 20, 16, 25, "m2")
    p.poly([(13, 25), (17, 25), (15, 29)], "m1")
    for x, y in ((6, 26), (23, 27), (9, 28), (21, 24)):
        p.rect(x, y, x + 1, y + 1, "st")
    p.outline()


@picture(24, "Sticky bomb: green slime ball with a fuse")
def sticky_bomb(p):
    p.disc(15, 16, 10, "g2")
    p.disc(14, 15, 8, "g1")
    p.disc(11, 12, 2.5, "y2")
    for x, h in ((8, 6), (14, 8), (20, 5)):
        p.taper(x, 24, 2.2, x, 24 + h, 1.6, "g2")
    p.rect(13, 4, 16, 6, "m3")
    p.line(15, 4, 18, 1, "w2")
    p.star(19.5, 1.5, 2.5, 1, 5, "o1")
    p.outline()


@picture(25, "Minigun: rotary barrels and a golden ammo belt")
def minigun(p):
    p.rect(14, 6, 28, 14, "m4")
    for y in (7, 10, 13):
        p.rect(14, y, 28, y + 1, "m2")
    p.rect(4, 5, 14, 16, "m3")
    p.rect(4, 5, 14, 7, "m2")
    p.rect(7, 17, 10, 22, "m4")
    for i in range(6):
        p.rect(12 + i * 2, 17 + i * 2, 13 + i * 2, 20 + i * 2, "au")
        p.px(12 + i * 2, 17 + i * 2, "au3")
    p.outline()


@picture(26, "Bow and arrow")
def bow(p):
    p.arc(23, 15, 14, 2.4, 125, 235, "w2")
    p.line(14, 4, 14, 26, "wh")
    p.rect(6, 14, 27, 15, "w1")
    p.poly([(25, 11), (30, 14.9), (25, 19)], "m2")
    p.poly([(2, 11), (6, 14), (9, 14), (5, 11)], "r1")
    p.poly([(2, 19), (6, 16), (9, 16), (5, 19)], "r1")
    p.outline()


@picture(27, "Meteor storm: flaming rocks falling from the sky")
def meteor_storm(p):
    p.taper(2, 2, 1.0, 19, 19, 8.5, "r2")
    p.taper(3, 3, 0.6, 19, 19, 6.5, "o1")
    p.taper(5, 5, 0.3, 19, 19, 4, "y1")
    p.shaded_disc(20, 20, 6.5, "st2", "st", (180, 160, 146))
    p.rect(17, 21, 18, 22, "st2")
    p.taper(16, 1, 0.5, 24, 8, 3.2, "o1")
    p.disc(24.5, 8.5, 2.6, "st")
    p.taper(1, 16, 0.5, 6, 23, 2.6, "o1")
    p.disc(6.5, 23.5, 2.2, "st")
    p.outline()


@picture(28, "Shovel: wooden shaft and steel blade")
def shovel(p):
    p.bar(5, 5, 17, 17, 1.6, "w2")
    p.ring(4, 4, 3.6, 1.6, "w3")
    p.poly([(15, 19), (19, 15), (28, 22), (27, 27), (22, 28)], "m2")
    p.poly([(17, 19), (19, 17), (26, 22), (22, 26)], "m1")
    p.outline()


@picture(29, "Axe: red handle and a broad steel head")
def axe(p):
    p.bar(8, 27, 18, 4, 1.8, "w2")
    p.bar(8, 26, 17, 5, 0.8, "w1")
    p.poly([(14, 4), (22, 2), (27, 0), (27, 16), (22, 13), (16, 12)], "m2")
    p.poly([(24, 1), (27, 0), (27, 16), (24, 14)], "m1")
    p.outline()


@picture(30, "Sword: long blade, golden guard")
def sword(p):
    p.poly([(10, 17), (24, 3), (28, 1), (26, 6), (13, 20)], "m2")
    p.poly([(11, 17), (24, 4), (27, 2), (25, 4), (12, 18)], "m1")
    p.bar(6, 13, 14, 21, 1.6, "au")
    p.bar(5, 24, 10, 19, 1.6, "w3")
    p.disc(4, 25.5, 2.2, "au2")
    p.outline()


@picture(31, "Boomerang")
def boomerang(p):
    p.taper(6, 22, 3.3, 13, 6, 2.6, "o2")
    p.taper(6, 22, 3.3, 25, 21, 2.6, "o2")
    p.taper(7, 21, 1.6, 13, 7, 1.2, "o1")
    p.taper(7, 21, 1.6, 24, 21, 1.2, "o1")
    p.outline()


@picture(32, "Sniper rifle: long barrel and telescopic sight")
def sniper(p):
    p.rect(9, 14, 29, 16, "m3")
    p.rect(9, 14, 29, 14, "m2")
    p.poly([(0, 16), (10, 13), (14, 13), (14, 18), (9, 18), (3, 22), (0, 22)], "w2")
    p.poly([(1, 17), (10, 14), (13, 14), (13, 15), (2, 19)], "w1")
    p.rect(10, 7, 22, 11, "m4")
    p.rect(10, 7, 22, 8, "m3")
    p.rect(22, 6, 24, 12, "m3")
    p.rect(23, 7, 23, 11, "b1")
    p.rect(14, 12, 15, 13, "m3")
    p.rect(18, 17, 19, 24, "m3")
    p.outline()
