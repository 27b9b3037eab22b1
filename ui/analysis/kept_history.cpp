#include "ui/analysis/kept_history.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>

#include <utility>

#include "engine/number.h"
#include "io/kept_file.h"

namespace numsift {

namespace {

constexpr KeptFileWords kRangeWords = {
    .noun = "统计范围文件",
    .foreign = "不是 Numsift 的统计范围",
    .notAFile = "不是统计范围文件",
    .tooLarge = "大得不像统计范围文件",
    .afterAside = "；统计范围从全部开始。",
    .newerStays = false,
};

// The range kept at path; 全部 when there is none or it is not one.
DrawRange readRange(const QString& path) {
    QFile f(path);
    if (QFileInfo(path).isSymLink() || !f.open(QIODevice::ReadOnly)) return DrawRange::all();
    const QByteArray text = f.read(256).trimmed();
    return DrawRange::fromKey(std::string_view(text.constData(), static_cast<std::size_t>(text.size())))
        .value_or(DrawRange::all());
}

}  // namespace

// One change of the player: redo applies its edits (at once when pushed),
// undo their reverses, newest first. A step that no longer applies (another
// program changed the draw since) changes nothing and says so.
class DrawEditCommand : public QUndoCommand {
public:
    DrawEditCommand(KeptHistory* history, std::vector<DrawEdit> edits, const QString& name)
        : QUndoCommand(name), history_(history), edits_(std::move(edits)) {}

    void redo() override {
        // A first redo that did not apply leaves nothing to undo.
        if (!history_->applyEdits(edits_) && first_) setObsolete(true);
        first_ = false;
    }
    void undo() override {
        std::vector<DrawEdit> back;
        back.reserve(edits_.size());
        for (auto it = edits_.rbegin(); it != edits_.rend(); ++it) back.push_back(it->reversed());
        history_->applyEdits(back);
    }

private:
    KeptHistory* history_;
    std::vector<DrawEdit> edits_;
    bool first_ = true;
};

KeptHistory::KeptHistory(QObject* parent) : QObject(parent), undo_(new QUndoStack(this)) {}

KeptHistory::~KeptHistory() = default;

QString KeptHistory::keepIn(const QString& path) {
    pending_.clear();
    lastSave_ = {true, {}};
    undo_->clear();
    if (path.isEmpty()) {
        file_.reset();
        rangePath_.clear();
        return {};
    }
    file_ = std::make_unique<DrawHistoryFile>(path);
    rangePath_ = QFileInfo(path).dir().filePath(QLatin1String(kDrawRangeFileName));
    LoadedHistory loaded = file_->load();
    store_ = std::move(loaded.store);
    range_ = readRange(rangePath_);
    storeChanged();
    return loaded.message;
}

bool KeptHistory::change(const Change& apply) {
    if (!file_) {
        apply(store_);
        return true;
    }
    HistoryUpdate u = file_->update([&](DrawStore& s) {
        for (const Change& c : pending_) c(s);
        apply(s);
    });
    lastSave_ = u.save;
    store_ = std::move(u.store);
    if (u.save.ok) {
        pending_.clear();
        return true;
    }
    // Not saved: the file is as it was; the window keeps the change for the
    // session and the next change tries again with it.
    pending_.push_back(apply);
    for (const Change& c : pending_) c(store_);
    emit saveFailed(u.save.error);
    return false;
}

HistoryMerge KeptHistory::merge(const DrawHistory& parsed) {
    HistoryMerge out;
    bool reported = false;
    const DrawStore before = store_;
    change([&out, &reported, parsed](DrawStore& s) {
        MergeReport r = s.merge(parsed);
        // The first merge is the one the player is told about; a replay
        // after a failed save reports nothing new.
        if (!std::exchange(reported, true)) out.report = std::move(r);
    });
    // The replay keeps its own copy of the draws, not the caller's.
    if (!pending_.empty() && !lastSave_.ok) pending_.back() = [parsed](DrawStore& s) { s.merge(parsed); };
    out.save = lastSave_.ok ? SaveResult{true, {}} : lastSave_;
    if (!(store_ == before)) storeChanged();
    return out;
}

bool KeptHistory::applyEdits(const std::vector<DrawEdit>& edits) {
    bool applies = true;
    const DrawStore before = store_;
    change([edits, &applies](DrawStore& s) {
        DrawStore trial = s;
        for (const DrawEdit& e : edits) applies = applyEdit(trial, e) && applies;
        if (applies) s = std::move(trial);
    });
    if (!applies && !pending_.empty() && !lastSave_.ok) pending_.pop_back();
    if (!(store_ == before)) storeChanged();
    lastEditApplied_ = applies;
    return applies;
}

bool KeptHistory::edit(std::vector<DrawEdit> edits, const QString& name) {
    if (edits.empty()) return false;
    // Pushing applies it; an edit that did not apply is dropped.
    undo_->push(new DrawEditCommand(this, std::move(edits), name));
    return lastEditApplied_;
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

std::vector<Draw> KeptHistory::rangeDraws() const {
    std::vector<Draw> out;
    out.reserve(span_.size());
    const std::vector<KeptDraw>& kept = store_.draws();
    for (std::size_t i = span_.begin; i < span_.end; ++i)
        out.push_back(
            Draw{kept[i].issue, kept[i].value, static_cast<int>(i + 1), kept[i].issue, kept[i].date});
    return out;
}

void KeptHistory::setRange(const DrawRange& range) {
    if (range == range_) return;
    range_ = range;
    saveRange();
    recount();
}

void KeptHistory::saveRange() const {
    // The range is a preference: one that cannot be kept costs the player a
    // choice at the next start, never a draw, so a failure is not told.
    if (rangePath_.isEmpty()) return;
    saveKeptFile(rangePath_, range_.key() + "\n", kRangeWords, {}, {});
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
    whole_ = omissionStats(values_);
    emit historyChanged();
    recount();
}

void KeptHistory::recount() {
    span_ = range_.in(store_);
    stats_ = omissionStats(values_, span_, whole_);
    emit windowChanged();
}

}  // namespace numsift
