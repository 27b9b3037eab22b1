#pragma once
// Real modal windows answered from inside their own event loops, as a user
// answers them. Every QMessageBox is answered by a real press and release on
// its only button (or the one named), and its title and text are kept. A
// dialog named with whenShown runs the test's script once it shows; a dialog
// the script leaves open is closed after it, so a failed check cannot leave
// the test waiting on a modal loop.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <map>

#include "tests/ui/window_probe.h"

namespace numsift {

class ModalAnswers : public QObject {
public:
    ModalAnswers() { qApp->installEventFilter(this); }
    // Answers the boxes with more than one button with button.
    explicit ModalAnswers(const char* button) : ModalAnswers() { answer(button); }
    ~ModalAnswers() override { qApp->removeEventFilter(this); }

    QStringList titles, texts;

    // The button to click on the next boxes with more than one.
    void answer(const char* button) { button_ = QString::fromUtf8(button); }
    // script runs, once, when the dialog named name shows.
    void whenShown(const QString& name, std::function<void(QDialog*)> script) {
        scripts_[name] = std::move(script);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show) return false;
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            titles << box->windowTitle();
            texts << box->text();
            QPointer<QMessageBox> target(box);
            QTimer::singleShot(0, box, [this, target] {
                if (!target) return;
                const QList<QAbstractButton*> buttons = target->buttons();
                for (QAbstractButton* b : buttons)
                    if (buttons.size() == 1 || b->text() == button_) {
                        probe::clickCentre(b);
                        return;
                    }
                target->done(QDialog::Rejected);
            });
            return false;
        }
        auto* dialog = qobject_cast<QDialog*>(watched);
        const auto script = dialog ? scripts_.find(dialog->objectName()) : scripts_.end();
        if (script == scripts_.end()) return false;
        QPointer<QDialog> target(dialog);
        QTimer::singleShot(0, dialog, [target, run = std::move(script->second)] {
            if (!target) return;
            run(target);
            if (target && target->isVisible()) target->done(QDialog::Rejected);
        });
        scripts_.erase(script);
        return false;
    }

private:
    QString button_ = QString::fromUtf8("确定");
    std::map<QString, std::function<void(QDialog*)>> scripts_;
};

}  // namespace numsift
