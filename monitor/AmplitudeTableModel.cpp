#include "monitor/AmplitudeTableModel.h"

#include "monitor/AmplitudeText.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

void AmplitudeTableModel::setValues(std::vector<float> values)
{
    if (values.size() != values_.size()) {
        beginResetModel();
        values_ = std::move(values);
        endResetModel();
        return;
    }
    values_ = std::move(values);
    if (!values_.empty())
        emit dataChanged(index(0, 1), index(rowCount() - 1, 1), {Qt::DisplayRole});
}

int AmplitudeTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(values_.size());
}

int AmplitudeTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant AmplitudeTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const bool heading = index.column() == 0;
    switch (role) {
    case Qt::DisplayRole:
        if (heading)
            return modeOrderText(index.row() + 1);
        return formatGeneral15(static_cast<long double>(values_[std::size_t(index.row())]));
    case Qt::BackgroundRole:
        if (heading)
            return QBrush(QGuiApplication::palette().color(QPalette::Button));
        return {};
    case Qt::ForegroundRole:
        if (heading)
            return QBrush(QGuiApplication::palette().color(QPalette::ButtonText));
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags AmplitudeTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (index.column() == 0)
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
