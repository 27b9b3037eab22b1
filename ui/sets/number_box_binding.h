#pragma once
// Ties one entry box to its number-set behaviour: while the box has the focus
// a paste becomes a re-parse of the whole resulting text (text before the
// selection + pasted text + text after it); leaving the box re-parses its
// text; every re-parse replaces the box's text in one operation and shows the
// box's count. The paste interception is installed when the box is entered
// and removed when it is left or its window closes.

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

#include "controls/entry_box.h"
#include "engine/number_set_store.h"
#include "sets/number_boxes.h"

#include <QLabel>

namespace numsift {

class NumberBoxBinding : public QObject {
    Q_OBJECT
public:
    NumberBoxBinding(EntryBox* box, sets::NumberBox kind, NumberSetStore* store, QObject* parent = nullptr);

    EntryBox* box() const { return box_; }

    // The label that shows the box's count; none for the kill list.
    void setCountLabel(QLabel* label) { countLabel_ = label; }

    // Puts an engine text (CR LF) into the box in one operation and shows the
    // box's count.
    void showText(const std::string& engineText);
    void showCount(std::size_t count);

    // Re-parses the box's current text (what leaving the box does).
    void reparse();

    // The intercepted paste of text at the box's selection.
    void paste(const QString& text);

    bool pasteIntercepted() const { return intercepting_; }
    void releasePasteInterception();

signals:
    void entered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void installPasteInterception();
    std::size_t countAfter(const std::string& engineText) const;

    QPointer<EntryBox> box_;
    QObject* boxObject_;  // for comparisons, also while the box is being destroyed
    sets::NumberBox kind_;
    NumberSetStore* store_;
    QPointer<QLabel> countLabel_;
    QPointer<QObject> watchedWindow_;
    bool intercepting_ = false;
};

}  // namespace numsift
