#include "ui/play/play_records.h"

#include <QCoreApplication>
#include <QFileInfo>

#include "io/draw_history_file.h"
#include "io/text_file.h"
#include "ui/analysis/kept_history.h"

namespace numsift {

namespace {

// Why the draw history on disk refuses record; empty when it does not, or
// when the file is not there or not readable as a history (the window has
// said so at its start, and its own history is checked all the same).
std::string refusalOnDisk(const PlayRecord& record, const QString& historyPath) {
    if (historyPath.isEmpty() || !QFileInfo::exists(historyPath)) return {};
    const Utf8FileResult file = readTextFileUtf8(historyPath);
    if (!file.ok) return {};
    const KeptHistoryRead read = readKeptHistory(file.text);
    if (read.problem != KeptProblem::None) return {};
    return recordRefusal(record, read.store);
}

}  // namespace

PlayRecords::PlayRecords(const KeptHistory& history, QObject* parent) : QObject(parent), history_(history) {
    worker_.setMaxThreadCount(1);
    connect(&history_, &KeptHistory::historyChanged, this, [this] {
        rescore();
        emit changed();
    });
}

PlayRecords::~PlayRecords() {
    // The work's results are posted to this object: none may be on its way
    // once it is gone (the posted events die with it).
    worker_.waitForDone();
}

void PlayRecords::keepIn(const DataFolder& folder) {
    path_ = playRecordPath(folder);
    historyPath_ = drawHistoryPath(folder);
    folderError_ = folder.error;
    records_.clear();
    problem_.clear();
    rescore();
    emit changed();
    reload();
}

void PlayRecords::reload() {
    if (path_.isEmpty()) return;
    ++pending_;
    worker_.start([this, path = path_] {
        const LoadedPlayRecord loaded = PlayRecordFile(path).load();
        QMetaObject::invokeMethod(
            this, [this, loaded] { takeLoad(loaded); }, Qt::QueuedConnection);
    });
}

void PlayRecords::finishWork() {
    // A failed add reads the file again: that read is waited for too.
    while (pending_ > 0) {
        worker_.waitForDone();
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
    }
}

void PlayRecords::takeLoad(const LoadedPlayRecord& loaded) {
    --pending_;
    records_ = loaded.records;
    // A foreign file set aside leaves an empty record that may be added to.
    problem_ = loaded.setAsidePath.isEmpty() ? loaded.message : QString();
    rescore();
    emit changed();
    if (!loaded.message.isEmpty() && loaded.message != lastTold_) {
        lastTold_ = loaded.message;
        emit told(loaded.message);
    }
}

std::string PlayRecords::proposedIssue() const { return nextIssue(history_.store()); }

QString PlayRecords::refusal(const PlayRecord& record) const {
    if (path_.isEmpty()) {
        const QString why = folderError_.isEmpty() ? QStringLiteral("没有数据文件夹") : folderError_;
        return QStringLiteral("投注记录无法保存（%1），本期未记录。").arg(why);
    }
    if (!problem_.isEmpty()) return problem_;
    return QString::fromStdString(recordRefusal(record, history_.store()));
}

void PlayRecords::add(const PlayRecord& record) {
    if (const QString why = refusal(record); !why.isEmpty()) {
        emit added(false, why);
        return;
    }
    ++pending_;
    worker_.start([this, record, path = path_, historyPath = historyPath_, store = history_.store()] {
        AddedRecord result;
        if (const std::string why = refusalOnDisk(record, historyPath); !why.empty())
            result.error = QString::fromStdString(why);
        else
            result = PlayRecordFile(path).add(record, store);
        QMetaObject::invokeMethod(
            this, [this, result] { takeAdd(result); }, Qt::QueuedConnection);
    });
}

void PlayRecords::takeAdd(const AddedRecord& result) {
    --pending_;
    if (result.ok) {
        records_ = result.records;
        problem_.clear();
        rescore();
        emit changed();
    } else {
        // The file may have been changed by hand or by another program:
        // show it as it now stands.
        reload();
    }
    emit added(result.ok, result.error);
}

void PlayRecords::rescore() { ledger_ = scoreLedger(records_, history_.store()); }

}  // namespace numsift
