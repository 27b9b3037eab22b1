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

void KeptHistory::setRange(const DrawRange& range) {
    if (range == range_) return;
    range_ = range;
    recount();
}

QString KeptHistory::windowText() const {
    const auto counted = static_cast<qulonglong>(span_.size());
    switch (range_.kind) {
        case DrawRange::Kind::All: break;
        case DrawRange::Kind::Last:
            if (range_.last < values_.size()) return QStringLiteral("近 %1 期").arg(counted);
            break;
        case DrawRange::Kind::Issues:
            return QString::fromStdString(range_.text()) + QStringLiteral("，共 %1 期").arg(counted);
    }
    return QStringLiteral("全部 %1 期").arg(counted);
}

void KeptHistory::storeChanged() {
    values_ = store_.values();
    emit historyChanged();
    recount();
}

void KeptHistory::recount() {
    span_ = range_.in(store_);
    stats_ = omissionStats(values_, span_);
    emit windowChanged();
}

}  // namespace numsift
