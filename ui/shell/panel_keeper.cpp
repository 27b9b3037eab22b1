#include "ui/shell/panel_keeper.h"

#include <QTimer>

namespace numsift {

PanelKeeper::PanelKeeper(QString path, std::function<KeptPanel()> current, std::function<bool()> editing,
                         QObject* parent)
    : QObject(parent),
      file_(std::move(path)),
      current_(std::move(current)),
      editing_(std::move(editing)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("panelKeeperTimer"));
    timer_->setSingleShot(true);
    timer_->setInterval(kWaitMs);
    connect(timer_, &QTimer::timeout, this, [this] { flush(); });

    const LoadedPanel loaded = file_.load();
    if (loaded.panel && !loaded.panel->empty()) previous_ = loaded.panel;
    startMessage_ = loaded.message;
    written_ = current_();
    lastLoadable_ = written_.scheme;
}

void PanelKeeper::changed() { timer_->start(); }

bool PanelKeeper::flush() {
    timer_->stop();
    KeptPanel panel = current_();
    // A box still being typed in may hold text it would refuse on leaving;
    // keep the panel as it last stood in a form that loads again. Checked
    // boxes hold their text in the form a scheme loads.
    if (!editing_() || loadScheme(saveScheme(panel.scheme)).ok)
        lastLoadable_ = panel.scheme;
    else
        panel.scheme = lastLoadable_;
    if (panel == written_) return true;
    const SaveResult saved = file_.save(panel);
    if (!saved.ok) {
        if (saved.error != lastError_) emit saveProblem(saved.error);
        lastError_ = saved.error;
        return false;
    }
    if (!lastError_.isEmpty()) emit saveProblem({});
    lastError_.clear();
    written_ = std::move(panel);
    return true;
}

void PanelUndo::push(Step step) {
    steps_.push_back(std::move(step));
    while (steps_.size() > kMaxSteps) steps_.pop_front();
}

PanelUndo::Step PanelUndo::pop() {
    Step step = std::move(steps_.back());
    steps_.pop_back();
    return step;
}

}  // namespace numsift
