#ifndef BOXLOGVIEWS_H
#define BOXLOGVIEWS_H

#include "box/kelvooverview.h"

#include <QObject>

class KelvoOverviewModel;
class QAbstractButton;
class QStackedWidget;
class QTableView;

// The box tab's two views of a log, its entries table and its Kelvos view, with the switch
// between them. The Kelvos view shows the overview of the last download or of the LogBox file
// opened, attention first until a tap on a column header sorts it by that column (a second tap
// the other way round); each row draws its battery trend.
class BoxLogViews : public QObject
{
    Q_OBJECT

public:
    // The stack holds the entries table as its first page and the Kelvos view as its second.
    BoxLogViews(QStackedWidget* views, QAbstractButton* kelvosSwitch, QTableView* kelvosView,
                QObject* parent);

    // A download gathers its entries and shows their overview once the table is full.
    void startDownload();
    void addDownloadedEntry(const KelvoRecord& entry);
    void finishDownload();

    void show(const KelvoOverview& overview);
    void clear();

private:
    KelvoOverviewModel* mModel;
    QTableView* mKelvosView;
    KelvoOverview mDownload;
};

#endif
