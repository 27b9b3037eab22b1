#pragma once
// The straight-number kill list txtDan5 on page 1 with its button
// cmdImportDan5 "导入": a paste while the box has the focus and leaving the box
// lay the numbers out five to a line (no set is kept, no count is shown); the
// import fills the box from a text file. Double-click clearing and the grey
// hint are the entry box's own.

#include <QObject>
#include <QPointer>

#include "controls/entry_box.h"
#include "engine/number_set_store.h"
#include "ui/sets/set_services.h"

class QPushButton;

namespace numsift {

class NumberBoxBinding;

class KillListBinding : public QObject {
    Q_OBJECT
public:
    KillListBinding(EntryBox* txtDan5, QPushButton* cmdImportDan5, NumberSetStore* store,
                    SetServices services, QObject* parent = nullptr);

    // cmdImportDan5: the file's numbers laid out in the box; a file without
    // numbers empties it (the hint shows again) with the import message.
    void importKillList();

    NumberBoxBinding* binding() const { return binding_; }
    void releasePasteInterception();

private:
    QPointer<EntryBox> box_;
    NumberSetStore* store_;
    SetServices services_;
    NumberBoxBinding* binding_;
};

}  // namespace numsift
