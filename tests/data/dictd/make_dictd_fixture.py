#!/usr/bin/env python3
"""Writes a tiny dictd dictionary in the layout of the Debian packages (run here)."""
import gzip

B64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"


def b64(n):
    digits = ""
    while True:
        digits = B64[n % 64] + digits
        n //= 64
        if n == 0:
            return digits


ENTRIES = [
    ("00-database-info", "00-database-info\nA tiny test dictionary.\n\n"),
    ("00databaseutf8", "00-database-utf8\n\n"),
    ("abend", "Abend /ˈaːbn̩t/ <n, masc>\n1. вечер 2.\ndie Tageszeit nach dem Nachmittag\n 3.\nAbendveranstaltung\n2. запад\ndie Himmelsrichtung Westen\n\n"),
    ("bank", "Bank /baŋk/ <n, fem>\n1. скамья, скамейка; лавка\nSitzgelegenheit\n2. банк\nGeldinstitut\n\n"),
    ("bank", "Bank /baŋk/ <n, fem>\nотмель\nSandbank (a second entry of the same headword)\n\n"),
    ("gott sei dank", "Gott sei Dank <phrase>\nслава богу\nAusruf der Erleichterung\n\n"),
    ("straße", "Straße /ˈʃtʁaːsə/ <n, fem>\nулица, дорога\neine Straße\n\n"),
    ("ärger", "Ärger /ˈɛʁɡɐ/ <n, masc>\n1. досада;гнев\nUnmut\n\n"),
    ("leer", "leer\n\n"),
]

data = b""
index = []
for key, text in ENTRIES:
    raw = text.encode("utf-8")
    index.append(f"{key}\t{b64(len(data))}\t{b64(len(raw))}\n")
    data += raw

for base in ("tiny", "tinygz"):
    with open(base + ".index", "w", encoding="utf-8") as f:
        f.writelines(index)
with open("tiny.dict", "wb") as f:
    f.write(data)
with gzip.open("tinygz.dict.dz", "wb") as f:
    f.write(data)
