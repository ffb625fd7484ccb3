#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <vector>

namespace qmtest {

// A case of a module as the program may find it beside itself.
struct ModuleCase {
    const char* name;
    QByteArray file; // the file put beside the program: none, not a library, the module
    QString says;    // what the problem named must contain; empty when the module loads
};

// Module `fileName` beside the test program, where the program looks first: the cases missing,
// damaged and present (a copy of the module built at `built`), each placed in turn; nothing is
// left there before the first case or once the object goes.
class ModuleBesideProgram {
public:
    ModuleBesideProgram(const QString& fileName, const QString& built)
        : fileName_(fileName), built_(built),
          beside_(QDir(QCoreApplication::applicationDirPath()).filePath(fileName)) {
        QFile::remove(beside_);
    }
    ~ModuleBesideProgram() { QFile::remove(beside_); }
    ModuleBesideProgram(const ModuleBesideProgram&) = delete;
    ModuleBesideProgram& operator=(const ModuleBesideProgram&) = delete;

    std::vector<ModuleCase> cases() const {
        return {{"missing", {}, fileName_ + QStringLiteral(" is missing")},
                {"damaged", "not a library", QStringLiteral("could not be loaded")},
                {"present", "module", {}}};
    }

    // Leaves beside the program what `c` asks for.
    bool place(const ModuleCase& c) const {
        QFile::remove(beside_);
        if (c.file == "module")
            return QFile::copy(built_, beside_);
        if (c.file.isEmpty())
            return true;
        QFile damaged(beside_);
        return damaged.open(QIODevice::WriteOnly) && damaged.write(c.file) == c.file.size();
    }

private:
    QString fileName_;
    QString built_;
    QString beside_;
};

} // namespace qmtest
