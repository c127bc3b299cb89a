// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/ProgressChartView.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

ProgressChartView *ProgressChartView::make(QWidget *parent, QString *error)
{
    // Beside the program, as the data folder is: the same relative place in
    // an installation and in the build tree.
    static QLibrary module(QDir::cleanPath(
        QCoreApplication::applicationDirPath() + QLatin1Char('/') +
        QStringLiteral(VELKARO_RELATIVE_MODULEDIR) + QStringLiteral("/velkaro_chart")));
    const auto makeChart =
        reinterpret_cast<MakeProgressChart>(module.resolve(MakeProgressChartName));
    if (!makeChart) {
        *error = module.errorString();
        return nullptr;
    }
    return makeChart(parent);
}
