#include "ui/shell/panel_keeper.h"

#include <QTimer>

namespace numsift {

PanelKeeper::PanelKeeper(QString path, std::function<KeptPanel()> current, std::function<bool()> editing,
                         QObject* parent)
    : QObject(parent),
      file_(path),
      earlierFile_(earlierPanelPath(path)),
      current_(std::move(current)),
      editing_(std::move(editing)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("panelKeeperTimer"));
    timer_->setSingleShot(true);
    timer_->setInterval(kWaitMs);
    connect(timer_, &QTimer::timeout, this, &PanelKeeper::saveInBackground);

    const LoadedPanel loaded = file_.load();
    if (loaded.panel && !loaded.panel->empty()) previous_ = loaded.panel;
    startMessage_ = loaded.message;
    keepPrevious_ = previous_.has_value();
    const LoadedPanel earlier = earlierFile_.load();
    if (earlier.panel && !earlier.panel->empty() && earlier.panel != previous_) earlier_ = earlier.panel;
    if (!earlier.message.isEmpty())
        startMessage_ += (startMessage_.isEmpty() ? QString() : QStringLiteral("\n\n")) + earlier.message;
    written_ = current_();
    lastLoadable_ = written_.scheme;
}

PanelKeeper::~PanelKeeper() {
    if (running_.valid()) running_.wait();
}

void PanelKeeper::changed() { timer_->start(); }

PanelKeeper::Input PanelKeeper::input() const {
    Input in{current_(), editing_(), lastLoadable_, written_, {}};
    if (keepPrevious_) in.keepFirst = previous_;
    return in;
}

PanelKeeper::Outcome PanelKeeper::save(Input in) const {
    Outcome o;
    KeptPanel& panel = in.panel;
    // The panel as the file holds it loads again (it was checked before it
    // was written, or stood so at start): nothing to check, nothing to write.
    o.written = !(panel == in.written);
    // A box still being typed in may hold text it would refuse on leaving;
    // keep the panel as it last stood in a form that loads again. Checked
    // boxes hold their text in the form a scheme loads. The scheme's text
    // made for that check is the one written.
    std::string schemeText;
    if (o.written && in.editing) {
        schemeText = saveScheme(panel.scheme);
        o.schemeLoads = loadScheme(schemeText).ok;
        if (!o.schemeLoads) {
            panel.scheme = in.lastLoadable;
            schemeText.clear();
        }
        o.written = !(panel == in.written);
    }
    // The kept panel goes to the earlier file before anything replaces it;
    // when that fails, nothing is replaced.
    if (o.written && in.keepFirst) {
        o.saved = earlierFile_.save(*in.keepFirst);
        o.previousKept = o.saved.ok;
    }
    if (o.written && (!in.keepFirst || o.previousKept))
        o.saved = schemeText.empty() ? file_.save(panel) : file_.save(panel, schemeText);
    o.panel = std::move(panel);
    return o;
}

void PanelKeeper::saveInBackground() {
    if (running_.valid()) {
        again_ = true;
        return;
    }
    // The thread works on copies; the file objects are only read while it runs.
    running_ = std::async(std::launch::async, [this, in = input()]() mutable {
        Outcome o = save(std::move(in));
        QMetaObject::invokeMethod(this, &PanelKeeper::collect, Qt::QueuedConnection);
        return o;
    });
}

void PanelKeeper::collect() {
    if (!running_.valid()) return;  // flush() took it in already
    finish(running_.get());
    if (again_) {
        again_ = false;
        saveInBackground();
    }
}

bool PanelKeeper::finish(Outcome o) {
    if (o.schemeLoads) lastLoadable_ = o.panel.scheme;
    if (o.previousKept) keepPrevious_ = false;
    if (!o.written) return true;
    if (!o.saved.ok) {
        if (o.saved.error != lastError_) emit saveProblem(o.saved.error);
        lastError_ = o.saved.error;
        return false;
    }
    if (!lastError_.isEmpty()) emit saveProblem({});
    lastError_.clear();
    written_ = std::move(o.panel);
    return true;
}

bool PanelKeeper::flush() {
    timer_->stop();
    again_ = false;
    if (running_.valid()) finish(running_.get());
    return finish(save(input()));
}

}  // namespace numsift
