#!/usr/bin/env python3
"""Generate the Dizozodidu game data files.

The files data/ressources.kpl, data/buildings.kpl and data/planets.kpl are
generated from the tables in this script and committed to the repository.
The build does not need Python; run this script only after changing the
tables here:

    python3 tools/make_data.py

Output is deterministic: Windows-1252 text, one value per line, every line
terminated by CR LF.
"""

from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA_DIR = ROOT / "data"

ENCODING = "cp1252"
EOL = "\r\n"

NUM_RESOURCES = 16
NUM_BUILDINGS = 55
NUM_FIELD_TYPES = 15

# ---------------------------------------------------------------------------
# Resources: (name, icon file below the images folder)
# ---------------------------------------------------------------------------
RESOURCES = [
    ("Energie",          r"r\energie.gif"),
    ("Nahrung",          r"r\nahrung.gif"),
    ("Baumaterial",      r"r\baumaterial.gif"),
    ("Mineralien",       r"r\mineralien.gif"),
    ("Metall",           r"r\metall.gif"),
    ("Naniten",          r"r\naniten.gif"),
    ("Deuterium",        r"r\deuterium.gif"),
    ("Sprengstoff",      r"r\sprengstoff.gif"),
    ("Forschung",        r"r\forschung.gif"),
    ("Legierungen",      r"r\legierungen.gif"),
    ("Elektronik",       r"r\elektronik.gif"),
    ("Medizin",          r"r\medizin.gif"),
    ("Seltene Erden",    r"r\seltene_erden.gif"),
    ("Konsumgüter",      r"r\konsumgueter.gif"),
    ("Treibstoff",       r"r\treibstoff.gif"),
    ("Energiekristalle", r"r\energiekristalle.gif"),
]

# Short aliases for the resource indexes, used in the building table.
EN, NA, BAU, MIN, MET, NAN, DEU, SPR, FOR, LEG, ELE, MED, SE, KON, TRE, KRI = range(16)

# ---------------------------------------------------------------------------
# Buildings, in index order.
#   name, image folder, storage, eps, housing, attractiveness, workers,
#   build costs {resource: amount}, production per tick {resource: amount}
# ---------------------------------------------------------------------------
def B(name, image, storage=0, eps=0, housing=0, attr=0, workers=0,
      cost=None, prod=None):
    return dict(name=name, image=image, storage=storage, eps=eps,
                housing=housing, attr=attr, workers=workers,
                cost=cost or {}, prod=prod or {})


BUILDINGS = [
    # 0-2: colony headquarters
    B("Koloniezentrale", "zentrale", storage=800, eps=200, housing=50, attr=20, workers=10,
      cost={BAU: 100, MET: 50},
      prod={EN: 20, NA: 10, BAU: 5}),
    B("Große Koloniezentrale", "grosse_zentrale", storage=1000, eps=250, housing=60, attr=30, workers=15,
      cost={EN: 100, BAU: 300, MET: 150, ELE: 20},
      prod={EN: 30, NA: 12, BAU: 8}),
    B("Außenposten", "aussenposten", storage=600, eps=200, housing=40, attr=10, workers=10,
      cost={BAU: 120, MET: 60},
      prod={EN: 15, NA: 6, BAU: 4}),
    # 3: food
    B("Agrarfarm", "agrarfarm", storage=50, attr=5, workers=15,
      cost={EN: 30, BAU: 60},
      prod={EN: -3, NA: 20}),
    # 4-5: entertainment
    B("Holodeck", "holodeck", attr=60, workers=5,
      cost={EN: 50, BAU: 80, ELE: 20},
      prod={EN: -8}),
    B("Holodeck-Kuppel", "holodeck_kuppel", attr=50, workers=5,
      cost={EN: 60, BAU: 100, MET: 30, ELE: 20},
      prod={EN: -10}),
    # 6-8: housing
    B("Wohnanlage", "wohnanlage", housing=40, attr=10,
      cost={EN: 40, BAU: 150, MET: 20},
      prod={EN: -4}),
    B("Wohnkuppel", "wohnkuppel", housing=30, attr=5,
      cost={EN: 50, BAU: 160, MET: 40},
      prod={EN: -5}),
    B("Schwimmende Stadt", "schwimmstadt", housing=25, attr=15,
      cost={EN: 60, BAU: 140, MET: 60},
      prod={EN: -5}),
    # 9-10: passive buildings (never in operation)
    B("Naturschutzstation", "naturschutz", attr=25,
      cost={BAU: 40}),
    B("Lagerhalle", "lagerhalle", storage=2000, attr=-2,
      cost={EN: 20, BAU: 200, MET: 80}),
    # 11-15: power and raw materials on special terrain
    B("Windpark", "windpark", eps=50, attr=-3, workers=5,
      cost={BAU: 80, MET: 40},
      prod={EN: 15}),
    B("Solarkraftwerk", "solarkraftwerk", eps=60, workers=5,
      cost={BAU: 100, MET: 40, ELE: 10},
      prod={EN: 10}),
    B("Aquafarm", "aquafarm", storage=50, workers=10,
      cost={EN: 30, BAU: 80, MET: 20},
      prod={EN: -3, NA: 18}),
    B("Kratermine", "kratermine", attr=-5, workers=20,
      cost={EN: 40, BAU: 100, MET: 60},
      prod={EN: -6, MIN: 12, MET: 3}),
    B("Magmakraftwerk", "magmakraftwerk", eps=100, attr=-5, workers=15,
      cost={EN: 50, BAU: 200, MET: 120, LEG: 20},
      prod={EN: 60}),
    # 16-24: production chain
    B("Baustoffwerk", "baustoffwerk", storage=100, attr=-5, workers=20,
      cost={EN: 40, BAU: 60, MET: 30},
      prod={EN: -5, MIN: -4, BAU: 12}),
    B("Metallhütte", "metallhuette", storage=100, attr=-5, workers=25,
      cost={EN: 50, BAU: 120, MET: 20},
      prod={EN: -8, MIN: -6, MET: 8}),
    B("Biolabor", "biolabor", attr=5, workers=15,
      cost={EN: 60, BAU: 100, MET: 40, ELE: 20},
      prod={EN: -4, NA: -2, MED: 4}),
    B("Elektronikwerk", "elektronikwerk", attr=-2, workers=25,
      cost={EN: 60, BAU: 120, MET: 80},
      prod={EN: -8, MET: -3, SE: -1, ELE: 4}),
    B("Deuteriumfilter", "deuteriumfilter", workers=10,
      cost={EN: 50, BAU: 100, MET: 60},
      prod={EN: -6, DEU: 6}),
    B("Nanitenfabrik", "nanitenfabrik", workers=30,
      cost={EN: 80, BAU: 150, MET: 100, ELE: 40},
      prod={EN: -10, MET: -2, ELE: -1, NAN: 3}),
    B("Legierungswerk", "legierungswerk", attr=-5, workers=25,
      cost={EN: 70, BAU: 140, MET: 100},
      prod={EN: -10, MIN: -2, MET: -4, LEG: 3}),
    B("Sprengstofffabrik", "sprengstofffabrik", attr=-10, workers=15,
      cost={EN: 50, BAU: 120, MET: 50},
      prod={EN: -5, MIN: -3, SPR: 5}),
    B("Konsumgüterfabrik", "konsumgueterfabrik", workers=25,
      cost={EN: 60, BAU: 130, MET: 60},
      prod={EN: -6, BAU: -2, MET: -2, KON: 6}),
    # 25-26: research
    B("Forschungslabor", "forschungslabor", attr=5, workers=20,
      cost={EN: 60, BAU: 100, MET: 40, ELE: 20},
      prod={EN: -5, FOR: 2}),
    B("Forschungszentrum", "forschungszentrum", attr=10, workers=40,
      cost={EN: 150, BAU: 250, MET: 120, LEG: 30, ELE: 60},
      prod={EN: -12, FOR: 6}),
    # 27-29: fuel and energy
    B("Raffinerie", "raffinerie", storage=100, attr=-8, workers=20,
      cost={EN: 70, BAU: 150, MET: 80},
      prod={EN: -6, DEU: -3, TRE: 5}),
    B("Fusionskraftwerk", "fusionskraftwerk", eps=100, attr=-3, workers=25,
      cost={EN: 100, BAU: 250, MET: 150, LEG: 30, ELE: 30},
      prod={EN: 45, DEU: -3}),
    B("Energiespeicher", "energiespeicher", eps=1000, workers=2,
      cost={EN: 100, BAU: 100, MET: 80, ELE: 30},
      prod={EN: -1}),
    # 30-31: area buildings
    B("Kleiner Schildgenerator", "schild_klein", attr=10, workers=5,
      cost={EN: 80, BAU: 100, MET: 80, ELE: 30},
      prod={EN: -6}),
    B("Großer Schildgenerator", "schild_gross", attr=15, workers=10,
      cost={EN: 150, BAU: 200, MET: 150, LEG: 40, ELE: 60},
      prod={EN: -12}),
    # 32-33: access to orbit
    B("Workbee-Raumbahnhof", "raumbahnhof", storage=200, workers=20,
      cost={EN: 100, BAU: 250, MET: 150, ELE: 40},
      prod={EN: -8, TRE: -1}),
    B("Orbitalseil", "orbitalseil", workers=30,
      cost={EN: 300, BAU: 400, MET: 300, LEG: 150, ELE: 100},
      prod={EN: -15}),
    # 34-35
    B("Vergnügungspark", "vergnuegungspark", attr=80, workers=20,
      cost={EN: 60, BAU: 150, MET: 40},
      prod={EN: -6, KON: -2}),
    B("Strafkolonie", "strafkolonie", attr=-40, workers=5,
      cost={EN: 40, BAU: 150, MET: 60},
      prod={EN: -4, NA: -4, MIN: 15}),
    # 36-45: orbital buildings
    B("Orbitale Energiestation", "orbital_energie", eps=80, workers=10,
      cost={EN: 100, BAU: 200, MET: 150, LEG: 30},
      prod={EN: 20}),
    B("Raumdock", "raumdock", storage=200, workers=30,
      cost={EN: 150, BAU: 300, MET: 250, LEG: 50},
      prod={EN: -10, TRE: -1}),
    B("Orbitale Versorgungsstation", "versorgungsstation", storage=300, workers=15,
      cost={EN: 120, BAU: 200, MET: 150, ELE: 30},
      prod={EN: -6}),
    B("Orbitallabor", "orbitallabor", workers=25,
      cost={EN: 150, BAU: 200, MET: 150, ELE: 60},
      prod={EN: -10, FOR: 4}),
    B("Orbitallager", "orbitallager", storage=3000, workers=5,
      cost={EN: 80, BAU: 250, MET: 200},
      prod={EN: -2}),
    B("Erzfrachterdock", "erzfrachterdock", storage=200, workers=20,
      cost={EN: 100, BAU: 200, MET: 200, TRE: 20},
      prod={EN: -6, TRE: -2, MIN: 15}),
    B("Handelsstation", "handelsstation", storage=500, attr=20, workers=25,
      cost={EN: 150, BAU: 300, MET: 200, ELE: 50},
      prod={EN: -8}),
    B("Flottenkommando", "flottenkommando", eps=50, workers=40,
      cost={EN: 250, BAU: 400, MET: 350, LEG: 100, ELE: 80},
      prod={EN: -15, TRE: -3}),
    B("Verteidigungsplattform", "verteidigung", attr=5, workers=15,
      cost={EN: 120, BAU: 150, MET: 250, SPR: 30, LEG: 60},
      prod={EN: -8}),
    B("Orbitalverwaltung", "orbitalverwaltung", storage=200, eps=100, attr=10, workers=20,
      cost={EN: 200, BAU: 300, MET: 200, ELE: 60},
      prod={EN: -10}),
    # 46-51: mountains and rock
    B("Mineralienmine", "mineralienmine", attr=-8, workers=20,
      cost={EN: 50, BAU: 100, MET: 50},
      prod={EN: -6, MIN: 8}),
    B("Kristallmine", "kristallmine", attr=-5, workers=25,
      cost={EN: 80, BAU: 150, MET: 100, SPR: 20},
      prod={EN: -8, KRI: 2}),
    B("Seltenerd-Mine", "seltenerdmine", attr=-8, workers=20,
      cost={EN: 60, BAU: 120, MET: 80},
      prod={EN: -7, SE: 3}),
    B("Höhenobservatorium", "observatorium", attr=5, workers=10,
      cost={EN: 80, BAU: 120, MET: 60, ELE: 40},
      prod={EN: -5, FOR: 3}),
    B("Versorgungsdepot", "depot", storage=300,
      cost={BAU: 150, MET: 50}),
    B("Großes Versorgungsdepot", "depot_gross", storage=600,
      cost={BAU: 300, MET: 120, LEG: 20}),
    # 52-53: bought with credits (plus some material)
    B("Anwerbebüro", "anwerbebuero", attr=10, workers=5,
      cost={EN: 20, BAU: 60},
      prod={EN: -2}),
    B("Handelskontor", "handelskontor", storage=300, attr=10, workers=10,
      cost={EN: 30, BAU: 100, MET: 30},
      prod={EN: -3, KON: 2}),
    # 54: orbital, standard planet only
    B("Sternenbasis", "sternenbasis", storage=1000, eps=300, housing=20, attr=40, workers=50,
      cost={EN: 500, BAU: 800, MET: 600, LEG: 200, ELE: 150, KRI: 50},
      prod={EN: -20}),
]

# Buildings that are built out of operation and never switched on.
PASSIVE_BUILDINGS = (9, 10, 50, 51)

# Which buildings each field type allows (fixed by the program).
FIELD_ALLOWS = {
    0: {36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 54},
    1: {0, 1, 3, 4, 6, 10, 11, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29,
        30, 31, 32, 33, 34, 52, 53},
    2: {9},
    3: {2, 5, 7, 10, 16, 17, 19, 20, 21, 22, 23, 24, 27, 28, 29, 30, 31, 32, 33, 34, 35, 52},
    4: {2, 5, 7, 10, 12, 16, 17, 19, 21, 22, 23, 24, 27, 28, 29, 30, 31, 32, 33, 34, 35, 52},
    5: {46, 47, 49, 50, 51},
    6: {5, 7, 8, 13, 20},
    7: {46, 47, 48, 50, 51},
    8: {7, 10, 16, 17, 19, 21, 22, 23, 24, 27, 28, 29, 34},
    9: {2, 5, 7, 10, 16, 17, 19, 21, 22, 23, 24, 27, 28, 29, 30, 31, 32, 33, 34, 35,
        46, 47, 48, 50, 51, 52},
    10: {14},
    11: set(),
    12: set(),
    13: {15},
    14: {15},
}

# ---------------------------------------------------------------------------
# Planet templates
# ---------------------------------------------------------------------------
# Map characters -> field type index
FIELD_CHARS = {
    ".": 0,   # Weltraum
    "w": 1,   # Wiese
    "T": 2,   # Wald
    "e": 3,   # Eis
    "d": 4,   # Wüste
    "M": 5,   # Gebirge
    "~": 6,   # Wasser
    "D": 7,   # Wüstengebirge
    "#": 8,   # Dyson Sphere (not used in templates)
    "r": 9,   # Gestein
    "o": 10,  # Krater
    "E": 11,  # Eisformation
    "l": 12,  # Lava
    "V": 13,  # Vulkan
    "X": 14,  # Kernspalte
}


def P(name, icon, craters, rifts, volcanoes, attr, yield_a, yield_b, cap_a,
      yield_c, cap_b, yield_d, surface, orbit_rows):
    width = len(surface[0])
    return dict(name=name, icon=icon, width=width, surface=surface,
                orbit=["." * width] * orbit_rows,
                craters=craters, rifts=rifts, volcanoes=volcanoes, attr=attr,
                yield_a=yield_a, yield_b=yield_b, cap_a=cap_a,
                yield_c=yield_c, cap_b=cap_b, yield_d=yield_d)


PLANETS = [
    P("Standardplanet", r"p\standard.gif",
      craters=1, rifts=0, volcanoes=0, attr=150,
      yield_a=20, yield_b=10, cap_a=0, yield_c=8, cap_b=1, yield_d=0,
      surface=[
          "eeeEEeeeeeeeeEeeee",
          "ewwwwwTTTTwwwwwMMe",
          "wwwwwTTTTTwwwwMMMw",
          "ww~~wwTTTwwwwwwMMw",
          "w~~~~wwwwwwwrwwwww",
          "w~~~~wwwwwwrrrwwTw",
          "ww~~wwwwwwwwrwwTTT",
          "wwwwwwMMwwwwwwwwTT",
          "ewwwwMMMwwwwowwwwe",
          "eeeeeeEEeeeeeeeeee",
      ], orbit_rows=2),
    P("Wüstenplanet", r"p\wueste.gif",
      craters=3, rifts=0, volcanoes=1, attr=60,
      yield_a=25, yield_b=25, cap_a=2, yield_c=10, cap_b=0, yield_d=6,
      surface=[
          "dddddDDDdddddddd",
          "ddddDDDDDddddrrd",
          "dddddDDdddddrrrd",
          "ddoddddddddddrdd",
          "ddddddddDDdddddd",
          "drrddddDDDDdddod",
          "rrrrdddDDddddddd",
          "ddrrdddddddoddDD",
          "ddddddddddddDDDD",
      ], orbit_rows=2),
    P("Felsplanet", r"p\fels.gif",
      craters=2, rifts=1, volcanoes=1, attr=50,
      yield_a=15, yield_b=12, cap_a=3, yield_c=12, cap_b=2, yield_d=4,
      surface=[
          "rrrrrrMMrrrrrr",
          "rrrrrMMMMrrrrr",
          "rrorrrMMrrrrrr",
          "rrrrrrrrrrXrrr",
          "rMMrrrrrrrrrrr",
          "MMMMrrrrrrrMMr",
          "rMMrrrrrrrMMMM",
          "rrrrrVrrrrrMMr",
          "rrrrrrrrorrrrr",
      ], orbit_rows=2),
    P("Lavaplanet", r"p\lava.gif",
      craters=3, rifts=1, volcanoes=2, attr=20,
      yield_a=30, yield_b=15, cap_a=2, yield_c=15, cap_b=1, yield_d=8,
      surface=[
          "rrrrrllrrrrrr",
          "rrlllllllrrrr",
          "rllllVllllrrr",
          "rrlllllllrrrr",
          "orrrllrXrrrro",
          "rrrrlllllrrrr",
          "rrrlllVlllrro",
          "rrrrrlllrrrrr",
      ], orbit_rows=2),
    P("Eisplanet", r"p\eis.gif",
      craters=1, rifts=0, volcanoes=0, attr=40,
      yield_a=10, yield_b=5, cap_a=1, yield_c=6, cap_b=2, yield_d=0,
      surface=[
          "EEEEeeeeeeEEEEE",
          "EEeeeeeeeeeeEEE",
          "eeeeMMeeeeeeeEe",
          "eeeMMMMeee~~eee",
          "eeeeMMeeee~~~ee",
          "eEeeeeeeeee~eee",
          "EEeeeeeeMMeeeee",
          "EEEeeeeMMMeeeEE",
          "EEEEEeeeeeeEEEE",
      ], orbit_rows=2),
    P("Gemäßigter Planet", r"p\gemaessigt.gif",
      craters=1, rifts=0, volcanoes=0, attr=200,
      yield_a=18, yield_b=8, cap_a=1, yield_c=7, cap_b=1, yield_d=0,
      surface=[
          "eeeeeEEeeeeeeeeEEeee",
          "eewwwwwwwwTTTwwwwwee",
          "wwwwwwwwTTTTTTwwwwMw",
          "wwMMwwwwwTTTTwwwwMMM",
          "wMMMMwwwwwwwwww~~wMM",
          "wwMMwwwwwwwwww~~~~ww",
          "wwwwwwTTwwwwwww~~~ww",
          "wTTwwTTTTwwwwwwwwwww",
          "TTTwwwTTwwwwwrrwwwww",
          "eTwwwwwwwwwwwwwwwwwe",
          "eeeeEEeeeeeeeeeeEeee",
      ], orbit_rows=2),
    P("Wasserplanet", r"p\wasser.gif",
      craters=0, rifts=0, volcanoes=0, attr=120,
      yield_a=15, yield_b=5, cap_a=1, yield_c=4, cap_b=1, yield_d=0,
      surface=[
          "eeeeeEEeeeeeeeee",
          "~~~~~~eee~~~~~~~",
          "~~wwww~~~~~~ww~~",
          "~wwwTTw~~~~wwww~",
          "~wwTTwww~~~wwMw~",
          "~~wwwwMw~~~wwMM~",
          "~~~wwwww~~~~ww~~",
          "~~~~ww~~~~~~~~~~",
          "~~~~~~~~~eee~~~~",
          "eeeeeeeeeEEeeeee",
      ], orbit_rows=2),
    P("Kleines Asteroidenfeld", r"p\asteroiden_klein.gif",
      craters=2, rifts=0, volcanoes=0, attr=10,
      yield_a=5, yield_b=5, cap_a=4, yield_c=12, cap_b=0, yield_d=2,
      surface=[
          "rrr.rr",
          "rorrre",
          ".rrrer",
          "rrorr.",
      ], orbit_rows=0),
    P("Eisasteroid", r"p\eisasteroid.gif",
      craters=1, rifts=0, volcanoes=0, attr=20,
      yield_a=8, yield_b=5, cap_a=1, yield_c=5, cap_b=0, yield_d=0,
      surface=[
          ".EEeEE.",
          "EeeeeeE",
          "eeeoeeE",
          "Eeeeeer",
          ".EEeEE.",
      ], orbit_rows=1),
    P("Großes Asteroidenfeld", r"p\asteroiden_gross.gif",
      craters=3, rifts=1, volcanoes=0, attr=30,
      yield_a=5, yield_b=5, cap_a=3, yield_c=14, cap_b=0, yield_d=3,
      surface=[
          "rrr..rrrre",
          "rorr.rrrer",
          "rrrrrrXree",
          ".rrrorrrrr",
          "..rrrrrorr",
          "errr.rrrr.",
      ], orbit_rows=0),
]


# ---------------------------------------------------------------------------
# Writers
# ---------------------------------------------------------------------------
def resource_lines():
    lines = []
    for name, icon in RESOURCES:
        lines += [name, icon]
    return lines


def building_lines():
    lines = []
    for b in BUILDINGS:
        lines += [b["name"], b["image"]]
        lines += [str(b[key]) for key in ("storage", "eps", "housing", "attr", "workers")]
        lines += [str(b["cost"].get(r, 0)) for r in range(NUM_RESOURCES)]
        lines += [str(b["prod"].get(r, 0)) for r in range(NUM_RESOURCES)]
    return lines


def grid_lines(rows):
    return [str(FIELD_CHARS[c]) for row in rows for c in row]


def planet_lines():
    lines = []
    for p in PLANETS:
        lines += [p["name"], p["icon"]]
        lines += [str(v) for v in (
            p["width"], len(p["surface"]), len(p["orbit"]),
            p["craters"], p["rifts"], p["volcanoes"], p["attr"],
            p["yield_a"], p["yield_b"], p["cap_a"], p["yield_c"],
            p["cap_b"], p["yield_d"])]
        lines += grid_lines(p["surface"])
        lines += grid_lines(p["orbit"])
    lines.append("!")
    return lines


def write_kpl(path, lines):
    data = "".join(line + EOL for line in lines).encode(ENCODING)
    path.write_bytes(data)


# ---------------------------------------------------------------------------
# Consistency checks
# ---------------------------------------------------------------------------
def check_tables():
    assert len(RESOURCES) == NUM_RESOURCES
    assert len(BUILDINGS) == NUM_BUILDINGS
    assert len(PLANETS) == 10

    names = [r[0] for r in RESOURCES]
    assert len(set(names)) == len(names), "duplicate resource name"
    names = [b["name"] for b in BUILDINGS]
    assert len(set(names)) == len(names), "duplicate building name"
    images = [b["image"] for b in BUILDINGS]
    assert len(set(images)) == len(images), "duplicate image folder"
    assert BUILDINGS[32]["name"] == "Workbee-Raumbahnhof"
    assert BUILDINGS[33]["name"] == "Orbitalseil"
    assert BUILDINGS[6]["housing"] > 4

    for i, b in enumerate(BUILDINGS):
        assert len(b["name"]) <= 30, b["name"]
        assert b["image"].isascii() and b["image"] == b["image"].lower()
        assert "/" not in b["image"] and "\\" not in b["image"]
        for table in (b["cost"], b["prod"]):
            assert all(0 <= r < NUM_RESOURCES for r in table), b["name"]
        if i in PASSIVE_BUILDINGS:
            assert b["workers"] == 0 and not any(b["prod"].values()), b["name"]

    for name, icon in RESOURCES:
        assert icon.startswith("r\\") and icon.endswith(".gif") and icon.isascii()
        assert icon == icon.lower()

    for p in PLANETS:
        w = p["width"]
        assert 5 <= w <= 20, p["name"]
        assert all(len(row) == w for row in p["surface"] + p["orbit"]), p["name"]
        cells = "".join(p["surface"])
        assert "#" not in cells, p["name"]
        assert cells.count("o") <= p["craters"], p["name"]
        assert cells.count("X") <= p["rifts"], p["name"]
        assert cells.count("V") <= p["volcanoes"], p["name"]
        assert p["icon"].startswith("p\\") and p["icon"].isascii()

    # Every non-orbital building must find a field somewhere in the templates,
    # except those that need fields created by terraforming (Dyson sphere only).
    used_types = set()
    for p in PLANETS:
        used_types |= {FIELD_CHARS[c] for c in "".join(p["surface"] + p["orbit"])}
    placeable = set().union(*(FIELD_ALLOWS[t] for t in used_types))
    assert placeable == set(range(NUM_BUILDINGS)), set(range(NUM_BUILDINGS)) - placeable


def check_files():
    def read(name):
        raw = (DATA_DIR / name).read_bytes()
        assert not raw.startswith(b"\xef\xbb\xbf"), name
        assert raw.endswith(b"\r\n"), name
        text = raw.decode(ENCODING)
        parts = text.split("\r\n")
        assert parts[-1] == "", name
        lines = parts[:-1]
        assert all("\r" not in l and "\n" not in l for l in lines), name
        assert all(l != "" for l in lines), name
        return lines

    res = read("ressources.kpl")
    assert len(res) == 2 * NUM_RESOURCES, len(res)
    assert len(set(res[0::2])) == NUM_RESOURCES

    bld = read("buildings.kpl")
    assert len(bld) == 39 * NUM_BUILDINGS, len(bld)
    assert len(set(bld[0::39])) == NUM_BUILDINGS
    for i in range(NUM_BUILDINGS):
        for v in bld[i * 39 + 2:(i + 1) * 39]:
            int(v)

    pl = read("planets.kpl")
    assert pl[-1] == "!" and pl.count("!") == 1
    pos, blocks = 0, 0
    while pl[pos] != "!":
        w, hs, ho = int(pl[pos + 2]), int(pl[pos + 3]), int(pl[pos + 4])
        length = 15 + w * (hs + ho)
        block = pl[pos:pos + length]
        assert len(block) == length
        for v in block[2:15]:
            int(v)
        assert all(0 <= int(v) < NUM_FIELD_TYPES for v in block[15:])
        assert all(int(v) == 0 for v in block[15 + w * hs:])
        pos += length
        blocks += 1
    assert blocks == 10 and pos == len(pl) - 1
    names = [p["name"] for p in PLANETS]
    assert len(set(names)) == len(names)


def main():
    check_tables()
    DATA_DIR.mkdir(exist_ok=True)
    write_kpl(DATA_DIR / "ressources.kpl", resource_lines())
    write_kpl(DATA_DIR / "buildings.kpl", building_lines())
    write_kpl(DATA_DIR / "planets.kpl", planet_lines())
    check_files()


if __name__ == "__main__":
    main()
