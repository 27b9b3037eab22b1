#pragma once
// Puts the number-set parts into the main window: page 0 (base set), page 3
// (combination of two sets), the paste and import behaviour of the kill list
// txtDan5, and the base set clearing of "清空所有条件". All work on the
// window's number-set store and its message, clipboard and dialog services;
// without a dialog service the open dialog is a BLCommDialog.

#include <QObject>

#include <memory>

#include "ui/sets/set_services.h"

namespace numsift {

class BLCommDialog;
class KillListBinding;
class MainWindow;
class PageBase;
class PageJoin;

class SetPages : public QObject {
    Q_OBJECT
public:
    // Installs the pages into window (which owns them, and this object).
    // reader: how files are read; empty = textFileReader().
    static SetPages* install(MainWindow& window, settools::FileReader reader = {});

    PageBase* base() const { return base_; }
    PageJoin* join() const { return join_; }
    ~SetPages() override;

    // Every number box gives up its paste interception (the window closes).
    void releasePasteInterception();

private:
    explicit SetPages(QObject* parent);

    std::unique_ptr<BLCommDialog> dialog_;
    PageBase* base_ = nullptr;
    PageJoin* join_ = nullptr;
    KillListBinding* killList_ = nullptr;
};

}  // namespace numsift
