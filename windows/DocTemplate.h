// The document templates: for each kind of test window, the seven fields of its string (window
// title, document name, new-file name, filter name, extension, type id, type name), its document
// kind and the frame that shows it. The main frame walks them in registration order for File New,
// File Open, the New ... Window commands, the recent files and the command line.
#pragma once

#include <QString>
#include <QStringList>

class CChildFrame;
class CMainDoc;

enum class EFrameClass { Splitter, Splitter2, Splitter3, Plain };

struct CDocTemplate {
    int nStringId = 0;
    int nKind = 0;
    EFrameClass frame = EFrameClass::Plain;
    QString strWindowTitle;
    QString strDocName;      // "QUIRA": new documents are called QUIRA1, QUIRA2, ...
    QString strFileNewName;  // the line of the "New" dialog
    QString strFilterName;   // "TSP Files (*.tsp)"
    QString strFilterExt;    // ".TSP"
    QString strRegTypeId;
    QString strRegTypeName;

    // Splits a template string of seven fields separated by '\n'.
    static CDocTemplate FromString(int stringId, int kind, EFrameClass frame, const QString& fields);

    // The extension as files carry it: ".tsp".
    QString Extension() const { return strFilterExt.toLower(); }
    bool MatchesFile(const QString& path) const;
};

// The four templates in registration order: network test, graph test, check a given cycle, map.
const QList<CDocTemplate>& DocTemplates();
// The template of a document kind (KIND_NETWORK ...); the network's for an unknown kind.
const CDocTemplate& TemplateOfKind(int kind);
// The file dialog's filters: each template's filter in order, then all files.
QString OpenFileFilters();
