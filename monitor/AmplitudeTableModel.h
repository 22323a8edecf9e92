#pragma once
#include <QAbstractTableModel>

#include <vector>

// The monitor's table: row k-1 holds "k次" in a heading-style column and the
// value of mode k. Texts are made when a cell is shown, so refreshing a
// thousand rows costs no more than the few that are visible.
class AmplitudeTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // values[k-1] is the value of mode k.
    void setValues(std::vector<float> values);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    std::vector<float> values_;
};
