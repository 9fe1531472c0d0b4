#pragma once

#include "fileerror.h"

#include <QString>
#include <QTest>

#include <optional>

// Runs `statement` and checks that it throws storage::FileError with the code and text given;
// fails the test when it throws nothing.
#define QVERIFY_FILE_ERROR(statement, expectedCode, expectedText)                                  \
    do {                                                                                           \
        std::optional<storage::FileError> caughtFileError;                                         \
        try {                                                                                      \
            statement;                                                                             \
        } catch (const storage::FileError &error) {                                                \
            caughtFileError = error;                                                               \
        }                                                                                          \
        QVERIFY2(caughtFileError.has_value(), "no file error from: " #statement);                  \
        QCOMPARE(caughtFileError->code(), int(expectedCode));                                      \
        QCOMPARE(caughtFileError->text(), QString(expectedText));                                  \
    } while (false)
