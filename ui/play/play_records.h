#pragma once
// The window's play record ("投注记录"): the records of play-record.txt in the
// data folder (io/play_record_file.h) and their scores against the kept draw
// history, scored again whenever the history changes (an import, a typed
// draw, a reload that brings what numsift-cli imported).
//
// Reading the file checks the SHA-256 chain over every record: a file of a
// thousand large records takes a good part of a second. So reading and adding
// run on a worker thread of their own, one after the other in the order
// asked, and their results come back to the window's thread as signals; the
// window never waits for the file.

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <string>
#include <vector>

#include "analysis/play_ledger.h"
#include "io/data_folder.h"
#include "io/play_record_file.h"

namespace numsift {

class KeptHistory;

class PlayRecords : public QObject {
    Q_OBJECT
public:
    explicit PlayRecords(const KeptHistory& history, QObject* parent = nullptr);
    ~PlayRecords() override;  // waits for the file work under way

    // Keeps the records in folder's play record from now on and starts
    // reading it. A folder that is not ok keeps nothing; adding says why.
    void keepIn(const DataFolder& folder);
    // Reads the file again: another window or numsift-cli may have added to it.
    void reload();
    // A read or an add is under way.
    bool busy() const { return pending_ > 0; }
    // Waits for the file work and takes its results at once (tests, the
    // screenshot tool); the window itself never waits.
    void finishWork();

    const std::vector<PlayRecord>& records() const { return records_; }
    const Ledger& ledger() const { return ledger_; }
    // What keeps the file from being shown whole or added to ("投注记录第 3
    // 条被改动（…）…", a newer format, an unreadable file); empty when nothing.
    const QString& problem() const { return problem_; }

    // The issue a record is proposed for: the one after the last kept draw.
    std::string proposedIssue() const;
    // Why record cannot be added, as far as the window knows before the file
    // is read again: no data folder, the file's problem, recordRefusal.
    QString refusal(const PlayRecord& record) const;
    // Adds record in the background: the file is read again under its lock,
    // the issue checked against the history the window holds and the one on
    // disk (numsift-cli may have imported its draw since), and then saved;
    // added() tells how it went.
    void add(const PlayRecord& record);

signals:
    // The records or their scores changed.
    void changed();
    // What a read found that the player must be told (an altered record, a
    // file set aside); each message once, however often the file is read.
    void told(const QString& message);
    // An add finished: ok, or why not (the record is then not kept).
    void added(bool ok, const QString& error);

private:
    void takeLoad(const LoadedPlayRecord& loaded);
    void takeAdd(const AddedRecord& result);
    void rescore();

    const KeptHistory& history_;
    QString path_;         // the play record; empty when none is kept
    QString historyPath_;  // the draw history of the same folder
    QString folderError_;  // why no play record is kept
    std::vector<PlayRecord> records_;
    Ledger ledger_;
    QString problem_;
    QString lastTold_;
    int pending_ = 0;
    QThreadPool worker_;  // one thread: the reads and adds in the order asked
};

}  // namespace numsift
