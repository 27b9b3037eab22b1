#!/usr/bin/env python3
"""Writes everything.json: a scheme with every condition active (all 37
columns, all ten banker groups, hundreds of codes in each compound box and a
20,000-number kill list), used to time numsift-cli run end to end."""
import json
import random

rng = random.Random(20240601)


def digits(k):
    return "".join(sorted(rng.sample("0123456789", k)))


def codes(length, count):
    return [ "".join(rng.choice("0123456789") for _ in range(length)) for _ in range(count)]


def lines(items, per_line):
    return "\n".join(" ".join(items[i:i + per_line]) for i in range(0, len(items), per_line))


kill = sorted(rng.sample(range(100000), 20000))
scheme = {
    "numsift": 1,
    "tolerance": [4, 9],
    "straightKill": lines([f"{v:05d}" for v in kill], 5),
    "positionalKill": ["0", "1", "2", "3", "4"],
    "sumTailKill": "05",
    "sumValueKill": "00 01 02 43 44 45",
    "spanKill": "019",
    "digitKill": "7",
    "banker": {"countRepeats": False,
               "groups": [{"digits": digits(5), "counts": "123"} for _ in range(10)]},
    "bigSmallKill": ["大大大大大", "小小小小小", "大小大小大"],
    "oddEvenKill": ["奇奇奇奇奇", "偶偶偶偶偶"],
    "primeCompositeKill": ["质质质质质", "合合合合合"],
    "roadKill": ["00000", "11111", "22222", "01201", "12012"],
    "shapeKill": ["上山", "下山", "不连", "2连", "3连", "4连", "5连",
                  "AAAAA", "AABCD", "AABBC", "AAABB", "AAABC", "AAAAB", "ABCDE"],
    "bigSmallRatio": ["1:4", "2:3", "3:2", "4:1"],
    "oddEvenRatio": ["1:4", "2:3", "3:2", "4:1"],
    "primeCompositeRatio": ["1:4", "2:3", "3:2", "4:1"],
    "acKill": [1, 2, 3],
    "compound": {
        "junk": "\n".join("*".join(digits(rng.randint(1, 3)) for _ in range(5)) for _ in range(300)),
        "kill2": lines(codes(2, 300), 10),
        "kill3": lines(codes(3, 300), 10),
        "kill4": lines(codes(4, 200) + codes(6, 100), 10),
        "must2": lines(codes(2, 300), 10),
        "must3": lines(codes(3, 300), 10),
        "must4": lines(codes(4, 200) + codes(7, 100), 10),
        "positional": "\n".join(
            "".join(rng.choice("0123456789") if rng.random() < 0.5 else "*" for _ in range(5))
            for _ in range(300)).replace("*****", "1****"),
    },
}

with open("everything.json", "w", encoding="utf-8") as f:
    json.dump(scheme, f, ensure_ascii=False, indent=2)
    f.write("\n")
