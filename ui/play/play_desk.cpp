#include "ui/play/play_desk.h"

#include "results/result_copy.h"
#include "ui/kit/panel.h"
#include "ui/play/ledger_dialog.h"
#include "ui/play/play_records.h"
#include "ui/play/record_dialog.h"
#include "ui/play/ticket_dialog.h"

namespace numsift {

PlayDesk::PlayDesk(Panel& panel, const KeptHistory& history, PageServices services, QWidget* window)
    : QObject(window), panel_(panel), services_(services), window_(window) {
    records_ = new PlayRecords(history, this);
}

PlayDesk::~PlayDesk() {
    // The ledger shows the records: it goes first, whatever the window's
    // order of deleting its children.
    delete ledger_;
}

void PlayDesk::keepRecordsIn(const DataFolder& folder) { records_->keepIn(folder); }

bool PlayDesk::haveResult() {
    if (!panel_.results().empty()) return true;
    services_.tell(kNoResultMessage, MessageIcon::Information);
    return false;
}

void PlayDesk::showTickets() {
    if (!haveResult()) return;
    TicketDialog dialog(panel_.results(), records_->proposedIssue(), services_, window_);
    dialog.setObjectName(QStringLiteral("ticketDialog"));
    dialog.exec();
}

void PlayDesk::recordResult() {
    // The scheme kept with the record is the panel as its boxes stand.
    if (!panel_.commitEntries() || !haveResult()) return;
    RecordDialog dialog(panel_, *records_, *services_.messages, window_);
    dialog.setObjectName(QStringLiteral("recordDialog"));
    dialog.exec();
}

void PlayDesk::showLedger() {
    if (!ledger_) {
        ledger_ = new LedgerDialog(*records_, services_, window_);
        ledger_->setObjectName(QStringLiteral("ledgerDialog"));
    }
    records_->reload();
    ledger_->show();
    ledger_->raise();
    ledger_->activateWindow();
}

}  // namespace numsift
