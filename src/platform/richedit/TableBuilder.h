#pragma once

#include <QTextCursor>

#include <vector>

class QTextTable;

// How an RTF row lays its cells out: their right edges and whether they are
// drawn with borders.
struct RowDefinition
{
    int left = 0;                  // \trleft, twips
    std::vector<int> cellRights;   // \cellx, twips from the margin
    std::vector<bool> mergedAbove; // \clvmrg: the cell continues the one above
    bool borders = false;
};

// Builds a table into a document as a reader meets it: cell after cell and
// row after row, its size unknown until it ends. The cursor it is given is
// the reader's own; it is moved into each cell as the cell's content comes.
//
// Qt adds and removes rows in time proportional to the table's size: a
// table is made as large as its reader expects it to be, grows by doubling
// where it was expected smaller and sheds the rows it did not need at its
// end.
class TableBuilder
{
public:
    // Columns a table takes at most: the cells of a row beyond them go into
    // its last cell, so that a row of a million cells cannot make a table
    // of a million columns for each row.
    static constexpr int kMaxColumns = 64;

    explicit TableBuilder(QTextCursor &cursor)
        : m_cursor(cursor)
    {}

    bool active() const { return m_table != nullptr; }
    // Whether a row ended and no other began yet.
    bool betweenRows() const { return m_betweenRows; }

    // Starts a table of the size it is expected to have at the cursor, which
    // must be at the end of a paragraph.
    void begin(int rows, int columns);
    // Puts the cursor where the next content of the table goes: into the
    // cell after the one a \cell ended, or into a new row.
    void enterCell();
    // The current cell ends (\cell).
    void endCell();
    // The current row ends (\row), laid out as the definition says.
    void endRow(const RowDefinition &row);
    // The table ends: the cursor goes to the paragraph after it.
    void end();

private:
    void nextRow();
    void nextColumn();
    void layOut(const RowDefinition &row);
    void mergeWithAbove(const RowDefinition &row);

    QTextCursor &m_cursor;
    QTextTable *m_table = nullptr;
    int m_rows = 0; // rows in use; the table may hold more
    int m_column = 0;
    int m_widest = 0; // most cells a row laid out so far
    bool m_cellEnded = false;
    bool m_betweenRows = false;
};
