#include "core/text/Messages.h"

#include "core/text/Dates.h"

namespace qm {

QString MessageText(int code) {
    switch (code) {
    case 1:
        return QStringLiteral("No data to print. Calculate.");
    case 2:
        return QStringLiteral("No data to print.");
    case 3:
        return QStringLiteral("Wrong or missing entry, try again.");
    case 4:
        return QStringLiteral("No data to graph, Calculate.");
    case 5:
        return QStringLiteral("Wrong entry, 40 years limit.");
    case 7:
        return QStringLiteral("Cannot withdraw Annually more than you have in Savings.");
    case 8:
        return QStringLiteral("Maximum comparisons 10.");
    case 9:
        return QStringLiteral("Cannot draw graph, try again.");
    case 13:
        return QStringLiteral("File not found or wrong format. Check Filename and/or Directory.");
    case 15:
        return QStringLiteral("No Records.");
    case 16:
        return QStringLiteral("Name of Fund must be selected and shown in yellow box. See Help.");
    case 17:
        return QStringLiteral("Not a valid Record number. Check number and try again.");
    case 18:
        return QStringLiteral("Must be numbers in all three boxes");
    case 19:
        return QStringLiteral(
            "Fund selected is not in file. Check name in Fund Name textbox. See Help.");
    case 20:
        return QStringLiteral("Record not saved, missing entry or 0. Entries must be exactly as "
                              "shown in Help.");
    case 23:
        return QStringLiteral("Cannot sort file.");
    case 24:
        return QStringLiteral("Check, missing entry or 0.");
    case 25:
        return QStringLiteral("Bad filename, must be in the form MYFILE.QMD");
    case 28:
        return QStringLiteral("You have Added a Fund Name but have not entered a record in it.") +
               QStringLiteral(" Either delete the Fund name or add a record.") +
               QStringLiteral(" I cannot work with an empty Fund.");
    case 29:
        return QStringLiteral("Record not Corrected, missing entry or 0. Entries must be exactly "
                              "as shown in Help.");
    case 30:
        return QStringLiteral("Correct date format is ") + ShortDate(Today());
    case 31:
        return QStringLiteral("Record not saved. Must have a date.");
    case 35:
        return QStringLiteral(
            "Files are limited to 600 records. You will have to start a new database file.");
    case 36:
        return QStringLiteral("Funds are limited to 18. You will have to start a new File.");
    case 51:
        return QStringLiteral(
            "A transaction type must be selected, click Dn/Arrow and select one.");
    default:
        return QString();
    }
}

QString QuestionText(int code, const QString& databaseName, const QString& recordNumber) {
    switch (code) {
    case 1:
        return QStringLiteral(" Continue with Printout.");
    case 2:
        return QStringLiteral(" Print in Color.");
    case 3:
        return QStringLiteral("File changed. ") + databaseName +
               QStringLiteral(" file in memory will be erased. Do you wish to go back and save it "
                              "to Disk?.");
    case 4:
        return QStringLiteral("Are you sure you wish to delete record number: ") + recordNumber;
    case 5:
        return QStringLiteral("Are you sure you wish to delete the current Fund name.");
    default:
        return QString();
    }
}

} // namespace qm
