#pragma once
#include "display/DisplaySettingsRecord.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

// Stand-ins for windows that are still being built: each shows its caption and
// a line saying it is not available yet.
class TPlaceholderWindow : public QDialog {
public:
    TPlaceholderWindow(const QString &caption, QWidget *parent = nullptr)
        : QDialog(parent)
    {
        setWindowTitle(caption);
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(QString::fromUtf8("準備中です。"), this));
        resize(260, 80);
    }
};

// Holds the display settings until their window exists.
class TPlaceholderVisualSetting : public TPlaceholderWindow {
public:
    explicit TPlaceholderVisualSetting(QWidget *parent = nullptr)
        : TPlaceholderWindow(QString::fromUtf8("表示設定"), parent)
    {
    }
    TDisplaySettings Settings;
};
