#pragma once
// The sample database of the two DB pages: an SQLite file holding "table1"
// (textfield1, textfield2: short HTML for the template page) and "table2"
// (caption, description: HTML with links). The program makes it with its
// sample records when the file is missing.

#include <QString>

namespace lark::demo {

// The file the demo uses unless told otherwise: "larkhtmldbaware.sqlite" in
// the program's data folder.
QString DefaultDatabaseFile();

// Makes File (and its folder) with the sample tables and records. Nothing is
// done and true returned when File exists already. On failure Error receives
// the reason, no file is left behind and false is returned.
bool CreateSampleDatabase(const QString& file, QString& error);

} // namespace lark::demo
