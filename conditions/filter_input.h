#pragma once
// The state of the condition panel as the window holds it: ticked boxes,
// selected buttons and box texts with their hint texts. The window fills it
// from its controls, a scheme file fills it on load, and every check of the
// run reads its own part of it.

#include <array>
#include <string>
#include <vector>

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

struct FilterInput {
    HintedText straightKill;                               // txtDan5
    std::array<std::array<bool, 10>, 5> positionalKill{};  // chkDW(10r + d)
    std::array<bool, 10> sumTailKill{};                    // chkHKD(0..9)
    HintedText sumValueKill;                               // txtHKD
    std::array<bool, 10> spanKill{};                       // chkHKD(10..19)
    std::array<bool, 10> digitKill{};                      // chkHKD(20..29), "通杀码"
    bool countRepeats = false;                             // chkDanOption "胆码计重"
    std::array<BankerGroupInput, 10> banker{};             // groups 0..9
    std::vector<std::string> bigSmallKill;                 // captions of ticked chkDX
    std::vector<std::string> oddEvenKill;                  // captions of ticked chkJO
    std::vector<std::string> primeCompositeKill;           // captions of ticked chkZH
    std::vector<std::string> roadKill;                     // captions of ticked chk012
    std::vector<std::string> shapeKill;                    // captions of ticked chkEx
    // cmdBi(0..26): 0-5 big/small, 6-11 odd/even, 12-17 prime/composite
    // ratios "k:5-k" to keep; 18-26 AC values 1..9 to kill.
    std::array<bool, 27> ratioButtons{};
    std::array<HintedText, 8> compound;  // txtCompose(0..7)

    bool operator==(const FilterInput&) const = default;
};

}  // namespace numsift
