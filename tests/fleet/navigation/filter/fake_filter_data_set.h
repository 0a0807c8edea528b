#pragma once

#include <stdexcept>
#include <vector>

#include "navigation/filter/FilterDataSet.h"

// A data set for the filter that records the engine calls it receives.
class FakeFilterDataSet : public nav::FilterDataSet {
public:
    FakeFilterDataSet();

    QString caption() const override { return tableName; }
    bool isDestroying() const override { return destroying; }
    QList<nav::FilterFieldInfo> fields() const override { return fieldList; }
    nav::FilterFieldInfo fieldByName(const QString &name) const override;
    void resync() override { ++resyncs; }
    std::uint32_t addFilter(const QByteArray &expression) override;
    void dropFilter(std::uint32_t handle) override;
    void activateFilter(std::uint32_t handle) override;
    void deactivateFilter(std::uint32_t handle) override;

    QString tableName = QStringLiteral("KfzStamm.db");
    QList<nav::FilterFieldInfo> fieldList;
    bool destroying = false;
    bool failAdd = false;
    int resyncs = 0;
    std::vector<QString> calls; // "add 1", "drop 1", "on 1", "off 1"
    std::vector<QByteArray> expressions;
    std::uint32_t nextHandle = 1;
};
