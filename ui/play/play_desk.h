#pragma once
// Where a result becomes what the player buys and what he keeps of it: the
// window's play record (PlayRecords) and the three dialogs that act on the
// result area through the panel — "生成复式" (and 导出单式 in it), "记录本期"
// and the ledger "投注记录". The window connects its menu and the result
// list's context menu to them.

#include <QObject>

#include <memory>

#include "io/data_folder.h"
#include "ui/analysis/page_services.h"

class QWidget;

namespace numsift {

class KeptHistory;
class LedgerDialog;
class Panel;
class PlayRecords;

class PlayDesk : public QObject {
    Q_OBJECT
public:
    // window: the dialogs' parent.
    PlayDesk(Panel& panel, const KeptHistory& history, PageServices services, QWidget* window);
    ~PlayDesk() override;

    PlayRecords& records() const { return *records_; }
    // Keeps the play record in folder's file from now on (read in the background).
    void keepRecordsIn(const DataFolder& folder);

    // "生成复式" (modal): the result's tickets; nothing but a message without a result.
    void showTickets();
    // "记录本期" (modal): the result as the play for the next issue.
    void recordResult();
    // "投注记录": the ledger, beside the window; read again from the file.
    void showLedger();
    // The ledger once it has been shown; null before.
    LedgerDialog* ledger() const { return ledger_; }

private:
    bool haveResult();

    Panel& panel_;
    PageServices services_;
    QWidget* window_;
    PlayRecords* records_ = nullptr;
    LedgerDialog* ledger_ = nullptr;
};

}  // namespace numsift
