#include "importers/cLogImporter.h"

#include "playout/FileTools.h"
#include "playout/OperatorSeam.h"

using namespace Qt::Literals::StringLiterals;

bool cLogImporter::CheckDirectory(const QString& folder, const QString& whenEmpty, const QString& setting) {
    if (folder.isEmpty()) {
        OperatorSeam::Message(whenEmpty, iOperator::Exclamation);
        return true;
    }
    if (!FileTools::FolderExists(folder)) {
        OperatorSeam::Message(u"The '"_s + setting +
                                  u"' you have entered in Station Database Settings cannot be "
                                  u"found ('"_s +
                                  folder + u"')"_s,
                              iOperator::Exclamation);
        return false;
    }
    return true;
}
