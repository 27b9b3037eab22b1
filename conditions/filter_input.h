#pragma once
// The state of the condition panel as the window holds it: ticked boxes,
// selected buttons and box texts with their hint texts. The window fills it
// from its controls, a scheme file fills it on load, and every check of the
// run reads its own part of it. Patterns, shapes, ratios and AC values are
// held by their index; their captions belong to the window, the scheme file
// and the reports (conditions/captions.h converts).

#include <array>
#include <bitset>
#include <string>

#include "conditions/captions.h"

namespace numsift {

// A box text together with the box's grey hint text. Texts are UTF-8; line
// breaks may be LF or CR LF. A text equal to its hint counts as empty.
struct HintedText {
    std::string text;
    std::string hint;

    bool operator==(const HintedText&) const = default;
};

struct BankerGroupInput {
    std::array<bool, 10> digits{};  // cmdDan(10g + d) selected
    std::array<bool, 6> counts{};   // cmdDanCount(6g + n) selected
    bool operator==(const BankerGroupInput&) const = default;
};

// Bit i: box i of chkDX, chkJO or chkZH, the pattern classPatternCaption(kind, i).
using ClassPatternSet = std::bitset<kClassPatternCount>;
// Bit i: box i of chk012, the roads roadCaption(i).
using RoadPatternSet = std::bitset<kRoadPatternCount>;
// Bit b: shape box b (ShapeBox).
using ShapeSet = std::bitset<kShapeCount>;
// Bit k: the ratio "k:5-k", k digits of the counted class (big, odd, prime).
using RatioSet = std::bitset<6>;
// Bit v: the AC value v (1..9); bit 0 is never set.
using AcSet = std::bitset<10>;

// The eight compound boxes txtCompose(0..7).
struct CompoundInput {
    HintedText junk;        // txtCompose(0) 杀垃圾复式
    HintedText killTwo;     // txtCompose(1) 杀两码
    HintedText killThree;   // txtCompose(2) 杀三码
    HintedText killFour;    // txtCompose(3) 杀四码
    HintedText mustTwo;     // txtCompose(4) 必出两码
    HintedText mustThree;   // txtCompose(5) 必出三码
    HintedText mustFour;    // txtCompose(6) 必出四码
    HintedText positional;  // txtCompose(7) 组合定位杀

    bool operator==(const CompoundInput&) const = default;
};

// The boxes in txtCompose order, for the window and the scheme file, which
// hold the eight boxes side by side.
inline constexpr std::array<HintedText CompoundInput::*, 8> kCompoundBoxes = {
    &CompoundInput::junk,    &CompoundInput::killTwo,   &CompoundInput::killThree, &CompoundInput::killFour,
    &CompoundInput::mustTwo, &CompoundInput::mustThree, &CompoundInput::mustFour,  &CompoundInput::positional,
};

struct FilterInput {
    HintedText straightKill;                               // txtDan5
    std::array<std::array<bool, 10>, 5> positionalKill{};  // chkDW(10r + d)
    std::array<bool, 10> sumTailKill{};                    // chkHKD(0..9)
    HintedText sumValueKill;                               // txtHKD
    std::array<bool, 10> spanKill{};                       // chkHKD(10..19)
    std::array<bool, 10> digitKill{};                      // chkHKD(20..29), "通杀码"
    bool countRepeats = false;                             // chkDanOption "胆码计重"
    std::array<BankerGroupInput, 10> banker{};             // groups 0..9
    ClassPatternSet bigSmallKill;                          // ticked chkDX
    ClassPatternSet oddEvenKill;                           // ticked chkJO
    ClassPatternSet primeCompositeKill;                    // ticked chkZH
    RoadPatternSet roadKill;                               // ticked chk012
    ShapeSet shapeKill;                                    // ticked chkEx
    RatioSet bigSmallRatio;                                // 大小比 to keep, cmdBi(0..5)
    RatioSet oddEvenRatio;                                 // 奇偶比 to keep, cmdBi(6..11)
    RatioSet primeCompositeRatio;                          // 质合比 to keep, cmdBi(12..17)
    AcSet acKill;                                          // 杀AC值, cmdBi(18..26) for 1..9
    CompoundInput compound;

    bool operator==(const FilterInput&) const = default;
};

}  // namespace numsift
