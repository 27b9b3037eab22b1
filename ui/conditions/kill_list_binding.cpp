#include "ui/conditions/kill_list_binding.h"

#include <QPushButton>

#include "controls/entry_box.h"
#include "sets/import_flow.h"
#include "ui/sets/number_box_binding.h"

namespace numsift {

KillListBinding::KillListBinding(EntryBox* txtDan5, QPushButton* cmdImportDan5, NumberSetStore* store,
                                 SetServices services, QObject* parent)
    : QObject(parent ? parent : txtDan5), box_(txtDan5), store_(store), services_(std::move(services)) {
    binding_ = new NumberBoxBinding(txtDan5, sets::NumberBox::KillList, store_, this);
    if (cmdImportDan5) connect(cmdImportDan5, &QPushButton::clicked, this, &KillListBinding::importKillList);
}

void KillListBinding::importKillList() {
    sets::importIntoBox(*store_, sets::NumberBox::KillList, *services_.dialogs, services_.readFile,
                        *services_.messages,
                        [this](const sets::ImportOutcome& r) { binding_->showText(r.boxText); });
}

void KillListBinding::releasePasteInterception() { binding_->releasePasteInterception(); }

}  // namespace numsift
