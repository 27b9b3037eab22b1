#pragma once
// Copy text of result numbers and the ways it leaves the program: a group
// or the whole result on the clipboard, or the whole result in a text editor.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace numsift {

inline constexpr int kGroupCopyWidth = 5;  // numbers a line when copying a group
inline constexpr int kAllCopyWidth = 10;   // numbers a line when copying everything

inline constexpr const char* kNoResultMessage = "结果注数为 0，请先进行过滤！";

// "所有结果共" + count + "注，已复制到剪贴板。"
std::string copyAllMessage(int count);

// Where the copy text reads result numbers: the text of number `index`
// (0-based), five digits with leading zeros.
class DataProvider {
public:
    virtual ~DataProvider() = default;
    virtual int count() const = 0;
    virtual std::string GetData(int index) const = 0;  // empty outside 0..count-1
};

// A provider over a result set held elsewhere; it reads the set as it is at
// each call, so a later conversion of the set is seen.
class ResultData : public DataProvider {
public:
    explicit ResultData(const std::vector<std::uint32_t>& values) : values_(&values) {}
    int count() const override { return static_cast<int>(values_->size()); }
    std::string GetData(int index) const override;

private:
    const std::vector<std::uint32_t>* values_;
};

// The numbers first..last (inclusive, 0-based) read through GetData, joined
// by one blank, with CR LF before every number whose position in the range
// is a positive multiple of width; no trailing blank or line break. A range
// outside the data gives the empty text.
std::string BuildCopyResult(const DataProvider& data, int first, int last, int width);

// Opens exported numbers in a text editor for the user (the window supplies
// the desktop's way of doing that).
class TextEditorOpener {
public:
    virtual ~TextEditorOpener() = default;
    virtual void open(const std::string& text) = 0;
};

}  // namespace numsift
