// The song chooser: the songs of a playlist in a table (title, composer, key,
// style) under a filter line; the user picks one or more and Enter (or a
// double click) opens them. Songs that cannot be read are listed greyed, their
// reason in a tooltip, and cannot be chosen.
#pragma once

#include <QDialog>

#include <cstddef>
#include <vector>

#include "bridge/playlist.h"

class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace zub {

class SongChooser : public QDialog {
    Q_OBJECT
public:
    SongChooser(const std::vector<SongListing>& songs, const QString& playlistName, QWidget* parent = nullptr);

    // The songs chosen, by number, in table order. The first row the filter
    // leaves is selected whenever nothing else is, so Enter opens it.
    std::vector<std::size_t> chosenSongs() const;

    QLineEdit* filterLine() const { return filter_; }
    QTableView* table() const { return table_; }
    // visibleSongs() -> the numbers of the rows the filter leaves, in table order.
    std::vector<std::size_t> visibleSongs() const;

protected:
    // Up and Down in the filter line move through the table.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectFirstRowIfNone();

    QLineEdit* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QStandardItemModel* songs_ = nullptr;
    QSortFilterProxyModel* shown_ = nullptr;
};

}  // namespace zub
