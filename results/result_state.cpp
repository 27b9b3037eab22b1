#include "results/result_state.h"

#include "results/group_selection.h"
#include "results/group_size.h"

namespace numsift {

namespace {

Message info(std::string text) {
    return {kProductName, std::move(text), MessageIcon::Information, MessageButtons::Ok};
}

Message warning(std::string text) {
    return {kProductName, std::move(text), MessageIcon::Exclamation, MessageButtons::Ok};
}

}  // namespace

ResultState::ResultState(ResultDisplay& display, Clipboard& clipboard, MessageSink& messages)
    : display_(display),
      clipboard_(clipboard),
      messages_(messages),
      groupSize_(kStartGroupSize),
      appliedGroupSize_(kStartGroupSize) {}

void ResultState::showRunResult(std::vector<std::uint32_t> values) {
    values_ = std::move(values);
    refresh(0, true);
}

void ResultState::refresh(int page, bool rebuild) {
    // A click on a button that the last rebuild did not create is ignored.
    if (!rebuild && (page < 0 || page >= layout_.pages)) return;
    if (rebuild) page = 0;
    const int k = count();

    display_.hideNote();
    if (rebuild) {
        layout_ = layoutPages(k, groupSize_);
        // The rule compares later box values with what the buttons show, so
        // a typed size is never mistaken for one already applied.
        appliedGroupSize_ = groupSize_;
        marks_.reset(layout_.pages);
        display_.layoutPages(layout_);
    }
    display_.setCount(k);
    if (k == 0) {
        display_.clearList();
    } else {
        for (int visited : marks_.releaseOthers(page)) display_.paintPage(visited, PageColour::Visited);
        if (!rebuild) {
            marks_.makeCurrent(page);
            display_.paintPage(page, PageColour::Current);
            const auto& button = layout_.buttons[static_cast<std::size_t>(page)];
            GroupRange range =
                parseGroupToolTip(button.toolTip).value_or(groupRange(page, k, layout_.groupSize));
            if (range.last > k - 1) range.last = k - 1;
            const std::string text = BuildCopyResult(data_, range.first, range.last, kGroupCopyWidth);
            display_.scrollListTo(groupTopRow(range));
            copyToClipboard(clipboard_, messages_, text);
        } else {
            display_.clearList();
            display_.fillList(values_);
        }
    }
    if (k == 0 && firstUpdateDone_) display_.showNote(kZeroResultNote);
    firstUpdateDone_ = true;
}

void ResultState::convertToGroupSelection() {
    if (values_.empty()) {
        messages_.show(info(kNoResultMessage));
        return;
    }
    values_ = toGroupSelection(values_);
    refresh(0, true);
    messages_.show(info(kConvertedPrefix + std::to_string(count())));
}

void ResultState::applyGroupSize(std::string_view boxText) {
    const GroupSizeDecision d = decideGroupSize(boxText, appliedGroupSize_);
    display_.setGroupSizeText(d.boxText);
    groupSize_ = d.value;
    if (d.rebuild) refresh(0, true);
    if (d.message) messages_.show(warning(*d.message));
}

void ResultState::copyAll() {
    if (values_.empty()) {
        messages_.show(info(kNoResultMessage));
        return;
    }
    copyToClipboard(clipboard_, messages_, BuildCopyResult(data_, 0, count() - 1, kAllCopyWidth));
    // The count follows even after a failed write: the user has been told to copy again.
    messages_.show(info(copyAllMessage(count())));
}

void ResultState::exportAll(TextEditorOpener& editor) {
    if (values_.empty()) {
        messages_.show(info(kNoResultMessage));
        return;
    }
    const std::string text = BuildCopyResult(data_, 0, count() - 1, kAllCopyWidth);
    copyToClipboard(clipboard_, messages_, text);
    editor.open(text);
}

CleanedDrawnNumber ResultState::validateDrawnNumber(std::string_view boxText) {
    CleanedDrawnNumber c = cleanDrawnNumber(boxText);
    if (c.state == DrawnNumberState::Rejected) messages_.show(warning(kDrawnNumberRejected));
    return c;
}

PrizeCheckOutcome ResultState::checkPrize(std::string_view boxText) {
    PrizeCheckOutcome out;
    if (values_.empty()) {
        messages_.show(info(kNoResultMessage));
        return out;
    }
    out.drawn = cleanDrawnNumber(boxText);
    // Nothing left after cleaning (e.g. "....."): there is no number to look
    // for, so it is refused like any other text that is not five digits.
    if (out.drawn.state != DrawnNumberState::Valid) {
        out.drawn.state = DrawnNumberState::Rejected;
        out.kind = PrizeCheckOutcome::Kind::Rejected;
        messages_.show(warning(kDrawnNumberRejected));
        return out;
    }
    const bool found = findDrawnNumber(values_, out.drawn.text).has_value();
    out.kind = found ? PrizeCheckOutcome::Kind::Found : PrizeCheckOutcome::Kind::NotFound;
    messages_.show(info(found ? prizeFoundMessage(out.drawn.text) : std::string(kPrizeNotFound)));
    return out;
}

}  // namespace numsift
