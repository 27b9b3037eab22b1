#include "ui/sets/set_pages.h"

#include "ui/shell/bl_comm_dialog.h"
#include "ui/conditions/kill_list_binding.h"
#include "ui/shell/main_window.h"
#include "ui/sets/page_base.h"
#include "ui/sets/page_join.h"

namespace numsift {

SetPages::SetPages(QObject* parent) : QObject(parent) { setObjectName(QStringLiteral("setPages")); }

SetPages::~SetPages() = default;

SetPages* SetPages::install(MainWindow& window, settools::FileReader reader) {
    auto* pages = new SetPages(&window);
    const WindowServices& ws = window.services();
    SetServices services;
    services.messages = ws.messages;
    services.clipboard = ws.clipboard;
    services.dialogs = ws.files;
    if (!services.dialogs) {
        pages->dialog_ = std::make_unique<BLCommDialog>(&window);
        services.dialogs = pages->dialog_.get();
    }
    services.readFile = reader ? std::move(reader) : textFileReader();

    NumberSetStore* store = &window.numberSets();
    pages->base_ = new PageBase(store, services);
    window.installPage(0, pages->base_);
    pages->join_ = new PageJoin(store, services);
    window.installPage(3, pages->join_);
    if (EntryBox* txtDan5 = window.straightKillBox())
        pages->killList_ =
            new KillListBinding(txtDan5, window.straightKillImportButton(), store, services, pages);
    PageBase* base = pages->base_;
    window.setBaseClearHook([base] { base->clearBase(); });
    return pages;
}

void SetPages::releasePasteInterception() {
    if (base_) base_->releasePasteInterception();
    if (join_) join_->releasePasteInterception();
    if (killList_) killList_->releasePasteInterception();
}

}  // namespace numsift
