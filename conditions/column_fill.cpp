#include "conditions/column_fill.h"

#include "conditions/entry_syntax.h"

namespace numsift {

std::vector<std::string_view> boxItems(const HintedText& box) {
    std::vector<std::string_view> items;
    if (countsAsEmpty(box)) return items;
    const std::string_view text = box.text;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == '\r' || text[i] == '\n')) ++i;
        const std::size_t start = i;
        while (i < text.size() && text[i] != ' ' && text[i] != '\r' && text[i] != '\n') ++i;
        if (i > start) items.push_back(text.substr(start, i - start));
    }
    return items;
}

}  // namespace numsift
