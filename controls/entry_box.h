#pragma once
// A text box with a grey hint text: the hint is shown while the box is empty,
// removed when the box is entered and shown again when it is left empty. A
// validator runs when the focus is about to leave and may keep the focus in
// the box (the user answered "No, let me correct it"). Used by the compound
// boxes, the sum-value box and the number boxes.
//
// A click elsewhere that needs a question first is held back: Qt moves the
// focus on a press before it delivers the press, and a modal box shown there
// takes the release for itself, so the clicked control would never act. The
// question is asked once the click is over; when the answer lets the focus
// go, the click is given to its control again, exactly once.

#include <QColor>
#include <QPalette>
#include <QPlainTextEdit>
#include <QString>

#include <functional>
#include <optional>

class QMimeData;

namespace numsift {

// The answer of a check that runs before the focus leaves a box.
enum class LeaveAnswer {
    Go,           // the focus may go
    Stay,         // the focus stays in the box
    NeedsAnswer,  // a message must be shown first (only from a check told not to show one)
};

class EntryBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent = nullptr);
    ~EntryBox() override;

    // The hint text (LF line breaks). Setting it applies the lost-focus
    // display, so an empty box shows the hint in grey at once.
    void setHint(const QString& hint);
    const QString& hint() const { return hint_; }

    // Background while the box has the focus; none keeps the window colour.
    void setFocusBackground(std::optional<QColor> colour);

    // One line only: Enter is swallowed and pasted line breaks become blanks.
    void setSingleLine(bool single);

    // Runs when the focus is about to leave the box (a click elsewhere, Tab,
    // or an action that reads the box first). With mayAsk it shows what it
    // must and answers Go or Stay; without, it shows nothing and answers
    // NeedsAnswer where it would have to.
    using Validator = std::function<LeaveAnswer(EntryBox&, bool mayAsk)>;
    void setValidator(Validator validator) { validator_ = std::move(validator); }

    // Replaces the box's own paste; returns true when it handled the paste.
    using PasteHandler = std::function<bool(EntryBox&, const QMimeData&)>;
    void setPasteHandler(PasteHandler handler) { pasteHandler_ = std::move(handler); }

    // Runs the validator now; true when the focus may go. Without a validator
    // always true.
    bool validate();
    // The same without any message: NeedsAnswer when one would be shown.
    LeaveAnswer validateQuietly();

    // Whether the box holds an edit its validator has not accepted yet.
    bool hasUncheckedEdit() const { return validator_ && !validatedSinceEdit_; }

    // The text as the conditions see it: empty while it equals the hint.
    QString entryText() const;
    bool showingHint() const;
    bool isGrey() const { return grey_; }

    // Empties the box and, unless it has the focus, shows the hint again.
    void clearEntry();
    // Sets the text (LF breaks) and applies the lost-focus display unless the
    // box has the focus.
    void setEntryText(const QString& text);

    // The hint rule applied when the box is left: the hint comes back in grey
    // when the text is empty or differs from it only in blanks and line breaks.
    void applyLostFocusDisplay();

    // The background (window colour, or the focus colour while focused).
    void setBackgroundColour(const QColor& colour) { setBackground(colour); }

signals:
    void entered();
    void left();
    void doubleClicked();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void insertFromMimeData(const QMimeData* source) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;

private:
    friend class EntryValidationGate;
    // Removes a shown hint and gives the box its focus colour. Runs on the
    // focus coming in, and on a press, a typed key or a paste while the hint
    // is shown: without a window manager a click into an inactive window
    // moves no focus, yet the typing goes into the box.
    void enter();
    void setGrey(bool grey);
    void setBackground(const QColor& colour);
    void setPaletteColour(QPalette::ColorRole role, const QColor& colour);

    QString hint_;
    std::optional<QColor> focusBackground_;
    Validator validator_;
    PasteHandler pasteHandler_;
    bool singleLine_ = false;
    bool grey_ = false;
    bool validating_ = false;
    // Nothing typed yet is nothing to check: a run must not re-parse (and
    // re-count) boxes the user never touched.
    bool validatedSinceEdit_ = true;
};

// The same check for any other widget (a line edit): mayLeave runs when the
// focus is about to leave w by a click elsewhere, Tab or Shift+Tab, with or
// without leave to show a message, as a validator does. The guard lives as
// long as w.
void guardFocus(QWidget* w, std::function<LeaveAnswer(bool mayAsk)> mayLeave);

// Runs the check of the widget that has the focus in window (an entry box's
// validator or a guarded widget's check), with its messages, as leaving it
// would; false when the focus must stay. An action that reads a box calls
// this first: a click on a control that takes no focus never leaves the box.
bool checkFocusedEntry(QWidget* window);

}  // namespace numsift
