#pragma once

#include <QAbstractItemModel>
#include <QAbstractItemModelTester>

// Checks `model` and every change it announces against the rules of item models for as long as
// the model lives (the checker is its child), and ends the test at the first rule broken.
inline void checkModel(QAbstractItemModel &model)
{
    new QAbstractItemModelTester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal, &model);
}
