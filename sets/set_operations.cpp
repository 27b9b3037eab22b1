#include "sets/set_operations.h"

#include "engine/number.h"
#include "engine/number_list.h"
#include "sets/messages.h"

namespace numsift::sets {

std::vector<std::uint32_t> combine(std::string_view textA, std::string_view textB, SetOperation op) {
    std::vector<std::uint8_t> a(kNumberSpace, 0), b(kNumberSpace, 0);
    markNumbers(textA, a.data());
    markNumbers(textB, b.data());
    std::vector<std::uint32_t> out;
    for (std::uint32_t v = 0; v < kNumberSpace; ++v) {
        bool keep = false;
        switch (op) {
            case SetOperation::Intersection: keep = a[v] && b[v]; break;
            case SetOperation::Union: keep = a[v] || b[v]; break;
            case SetOperation::AWithoutB: keep = a[v] && !b[v]; break;
            case SetOperation::BWithoutA: keep = b[v] && !a[v]; break;
        }
        if (keep) out.push_back(v);
    }
    return out;
}

namespace {

void show(MessageSink& messages, const std::string& text, MessageIcon icon) {
    messages.show(Message{kProductName, text, icon, MessageButtons::Ok});
}

}  // namespace

SetOperationOutcome runSetOperation(const NumberSetStore& store, SetOperation op, std::string_view textA,
                                    std::string_view textB, MessageSink& messages, int width,
                                    const ApplySetOperation& apply) {
    SetOperationOutcome r;
    using S = SetOperationOutcome::Status;
    if (store.intersectionCount(0) == 0) {
        r.status = S::MissingA;
        r.focusSide = 0;
        show(messages, kMissingA, MessageIcon::Exclamation);
        return r;
    }
    if (store.intersectionCount(1) == 0) {
        r.status = S::MissingB;
        r.focusSide = 1;
        show(messages, kMissingB, MessageIcon::Exclamation);
        return r;
    }
    const std::vector<std::uint32_t> values = combine(textA, textB, op);
    if (values.empty()) {
        r.status = S::EmptyResult;
        if (apply) apply(r);
        show(messages, kEmptyResult, MessageIcon::Exclamation);
        return r;
    }
    r.status = S::Done;
    r.count = values.size();
    r.resultText = formatNumbers(values, width);
    if (apply) apply(r);
    show(messages, kOperationDone + std::to_string(r.count), MessageIcon::Information);
    return r;
}

bool copyJoinResult(std::string_view resultText, Clipboard& clipboard, MessageSink& messages) {
    if (resultText.empty()) {
        show(messages, kNothingToCopy, MessageIcon::Information);
        return false;
    }
    // The write shows its own error; "号码已复制。" only follows a real copy.
    if (!copyToClipboard(clipboard, messages, std::string(resultText))) return false;
    show(messages, kCopied, MessageIcon::Information);
    return true;
}

}  // namespace numsift::sets
