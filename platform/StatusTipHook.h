#pragma once
#include <QObject>

#include <functional>

// Catches every status-tip (hint) event of the application, from buttons under
// the pointer and highlighted menu items, hands its text to a handler and
// consumes it, so no window replaces its status panels with a message of its own.
class StatusTipHook : public QObject {
    Q_OBJECT
public:
    explicit StatusTipHook(std::function<void(const QString &)> handler, QObject *parent = nullptr);
    ~StatusTipHook() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> handler_;
    QString hint_;
};
