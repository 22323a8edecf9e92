#pragma once
#include <QGroupBox>
#include <QMargins>

class QVBoxLayout;

// A group box whose content lies at designed distances from its outer edges,
// or further in where the style's frame or a larger font's title needs the
// room. The design lets content reach one pixel into the title's space.
class DesignGroupBox : public QGroupBox {
    Q_OBJECT
public:
    DesignGroupBox(const QString &title, const QMargins &contentFromEdges, QWidget *parent = nullptr);

    // Where the content goes.
    QVBoxLayout *content() const { return content_; }

protected:
    void changeEvent(QEvent *event) override;

private:
    void placeContent();

    QMargins design_;
    QVBoxLayout *content_;
};
