#include "ui/analysis/kept_history.h"

#include "engine/number.h"

namespace numsift {

KeptHistory::KeptHistory(QObject* parent) : QObject(parent) {}

KeptHistory::~KeptHistory() = default;

QString KeptHistory::keepIn(const QString& path) {
    if (path.isEmpty()) {
        file_.reset();
        return {};
    }
    file_ = std::make_unique<DrawHistoryFile>(path);
    LoadedHistory loaded = file_->load();
    store_ = std::move(loaded.store);
    storeChanged();
    return loaded.message;
}

HistoryMerge KeptHistory::merge(const DrawHistory& parsed) {
    HistoryMerge out;
    out.report = store_.merge(parsed);
    if (!out.report.changed()) return out;
    if (file_) out.save = file_->save(store_);
    storeChanged();
    return out;
}

std::string KeptHistory::drawsText() const {
    std::string s;
    s.reserve(store_.size() * 25);
    char number[6] = {};
    for (const KeptDraw& d : store_.draws()) {
        s += d.issue;
        if (!d.date.empty()) s += ' ' + d.date;
        s += ' ';
        writeNumber(d.value, number);
        s.append(number, 5);
        s += '\n';
    }
    return s;
}

void KeptHistory::setWindow(std::size_t n) {
    if (n == window_) return;
    window_ = n;
    recount();
}

QString KeptHistory::windowText() const {
    const std::size_t counted = windowDraws().size();
    if (window_ == 0 || window_ >= values_.size())
        return QStringLiteral("全部 %1 期").arg(static_cast<qulonglong>(counted));
    return QStringLiteral("近 %1 期").arg(static_cast<qulonglong>(counted));
}

void KeptHistory::storeChanged() {
    values_ = store_.values();
    emit historyChanged();
    recount();
}

void KeptHistory::recount() {
    stats_ = omissionStats(windowDraws());
    emit windowChanged();
}

}  // namespace numsift
