#include "editor/app/song_chooser.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include "bridge/accidentals.h"

namespace zub {

namespace {

// "1 song", "54 songs": the program ships no translations to choose plurals.
QString songCount(int songs) {
    return songs == 1 ? QObject::tr("1 song") : QObject::tr("%1 songs").arg(songs);
}

constexpr int number_role = Qt::UserRole + 1;

QList<QStandardItem*> rowOf(const SongListing& song) {
    const bool readable = song.reason.empty();
    QList<QStandardItem*> row;
    for (const std::string& text : {song.title, song.composer, replaceWithUnicodeSharpsAndFlats(song.key), song.style}) {
        auto* item = new QStandardItem(QString::fromStdString(text));
        item->setData(static_cast<qulonglong>(song.number), number_role);
        item->setEditable(false);
        if (!readable) {
            item->setEnabled(false);
            item->setSelectable(false);
            item->setToolTip(QString::fromStdString(song.reason));
        }
        row.append(item);
    }
    return row;
}

}  // namespace

SongChooser::SongChooser(const std::vector<SongListing>& songs, const QString& playlistName, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(playlistName.isEmpty() ? tr("Choose Songs") : playlistName);
    songs_ = new QStandardItemModel(0, 4, this);
    songs_->setHorizontalHeaderLabels({tr("Title"), tr("Composer"), tr("Key"), tr("Style")});
    for (const SongListing& song : songs) songs_->appendRow(rowOf(song));
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(songs_);
    shown_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    shown_->setFilterKeyColumn(-1);  // any column: a title, a composer, a style
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText(tr("Filter by title, composer, key or style"));
    filter_->setClearButtonEnabled(true);
    table_ = new QTableView(this);
    table_->setModel(shown_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // playlist order until the user sorts
    table_->verticalHeader()->hide();
    // One line a song, so that a long playlist reads like a list.
    table_->setWordWrap(false);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Open)->setDefault(true);
    const int total = static_cast<int>(songs.size());
    auto* count = new QLabel(songCount(total), this);
    auto* column = new QVBoxLayout(this);
    column->addWidget(filter_);
    column->addWidget(table_);
    column->addWidget(count);
    column->addWidget(buttons);
    connect(filter_, &QLineEdit::textChanged, this, [this, count, total](const QString& text) {
        shown_->setFilterFixedString(text);
        selectFirstRowIfNone();
        count->setText(text.isEmpty() ? songCount(total)
                                      : tr("%1 of %2").arg(shown_->rowCount()).arg(songCount(total)));
    });
    connect(filter_, &QLineEdit::returnPressed, this, &QDialog::accept);
    connect(table_, &QTableView::doubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    filter_->installEventFilter(this);
    resize(640, 480);
    selectFirstRowIfNone();
}

// The filter keeps the table's current row in view, so Enter opens what the user sees first.
void SongChooser::selectFirstRowIfNone() {
    if (table_->selectionModel()->hasSelection()) return;
    for (int row = 0; row < shown_->rowCount(); ++row) {
        const QModelIndex index = shown_->index(row, 0);
        if (!(index.flags() & Qt::ItemIsSelectable)) continue;
        table_->setCurrentIndex(index);
        table_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        return;
    }
}

bool SongChooser::eventFilter(QObject* watched, QEvent* event) {
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(table_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::vector<std::size_t> SongChooser::visibleSongs() const {
    std::vector<std::size_t> numbers;
    for (int row = 0; row < shown_->rowCount(); ++row)
        numbers.push_back(shown_->index(row, 0).data(number_role).toULongLong());
    return numbers;
}

std::vector<std::size_t> SongChooser::chosenSongs() const {
    std::vector<std::size_t> numbers;
    for (int row = 0; row < shown_->rowCount(); ++row) {
        const QModelIndex index = shown_->index(row, 0);
        if (table_->selectionModel()->isRowSelected(row, QModelIndex()) && (index.flags() & Qt::ItemIsSelectable))
            numbers.push_back(index.data(number_role).toULongLong());
    }
    return numbers;
}

}  // namespace zub
