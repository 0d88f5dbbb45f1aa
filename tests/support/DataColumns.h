#pragma once

#include <QTest>

// A data table's columns in one call: their types in order, then their names.
template <class... Types, class... Names> void addColumns(const Names&... names)
{
    static_assert(sizeof...(Types) == sizeof...(Names), "one name for each type");
    (QTest::addColumn<Types>(names), ...);
}
