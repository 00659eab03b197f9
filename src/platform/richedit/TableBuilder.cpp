#include "platform/richedit/TableBuilder.h"

#include "platform/richedit/Pictures.h"

#include <QTextTable>

#include <algorithm>

void TableBuilder::begin(int rows, int columns)
{
    QTextTableFormat format;
    format.setBorder(0);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(4);
    m_table = m_cursor.insertTable(rows, columns, format);
    m_rows = 1;
    m_column = 0;
    m_widest = 0;
    m_cellEnded = false;
    m_betweenRows = false;
}

void TableBuilder::enterCell()
{
    if (m_betweenRows)
        nextRow();
    else if (m_cellEnded)
        nextColumn();
    m_cellEnded = false;
    m_betweenRows = false;
}

void TableBuilder::endCell()
{
    if (m_betweenRows || m_cellEnded)
        enterCell(); // an empty cell
    m_cellEnded = true;
}

void TableBuilder::endRow(const RowDefinition &row)
{
    if (m_betweenRows)
        return; // a row without cells
    layOut(row);
    m_betweenRows = true;
    m_cellEnded = false;
}

void TableBuilder::end()
{
    if (m_table->rows() > m_rows)
        m_table->removeRows(m_rows, m_table->rows() - m_rows);
    m_cursor.setPosition(m_table->lastPosition() + 1);
    m_table = nullptr;
}

void TableBuilder::nextRow()
{
    if (m_rows == m_table->rows()) {
        // New rows go in where the cursor stands and would push it on.
        const int at = m_cursor.position();
        m_table->appendRows(m_rows);
        m_cursor.setPosition(at);
    }
    ++m_rows;
    m_column = 0;
    m_cursor = m_table->cellAt(m_rows - 1, 0).firstCursorPosition();
}

void TableBuilder::nextColumn()
{
    if (m_column + 1 >= kMaxColumns)
        return; // the cells beyond go on in the last one
    ++m_column;
    if (m_column == m_table->columns()) {
        const int at = m_cursor.position();
        m_table->appendColumns(1);
        m_cursor.setPosition(at);
    }
    m_cursor = m_table->cellAt(m_rows - 1, m_column).firstCursorPosition();
}

// The widest row so far gives the columns their widths; a row of fewer
// cells than the table has columns spans its last cell over the rest.
void TableBuilder::layOut(const RowDefinition &row)
{
    const int cells = m_column + 1;
    const int columns = m_table->columns();
    QTextTableFormat format = m_table->format();
    // Setting a format lays the whole table out again: only when it changes.
    bool changed = false;
    if (cells > m_widest && cells == columns && qsizetype(row.cellRights.size()) >= cells) {
        m_widest = cells;
        QList<QTextLength> widths;
        int left = row.left;
        for (int i = 0; i < cells; ++i) {
            const int right = std::max(row.cellRights[size_t(i)], left + 1);
            widths.append(
                QTextLength(QTextLength::FixedLength, (right - left) / pictures::kTwipsPerPixel));
            left = right;
        }
        format.setColumnWidthConstraints(widths);
        changed = true;
    }
    if (row.borders && format.border() == 0) {
        format.setBorder(1);
        changed = true;
    }
    if (changed)
        m_table->setFormat(format);
    if (cells < columns)
        m_table->mergeCells(m_rows - 1, m_column, 1, columns - m_column);
    mergeWithAbove(row);
}

// A cell that continues the one above joins it: the one above grows by a
// row, as far across as it reaches.
void TableBuilder::mergeWithAbove(const RowDefinition &row)
{
    if (m_rows < 2)
        return;
    const int cells = std::min(m_column + 1, int(row.mergedAbove.size()));
    for (int i = 0; i < cells; ++i) {
        if (!row.mergedAbove[size_t(i)])
            continue;
        const QTextTableCell above = m_table->cellAt(m_rows - 2, i);
        const QTextTableCell here = m_table->cellAt(m_rows - 1, i);
        // Only a cell of the same columns, not yet part of a span, joins.
        if (here.row() != m_rows - 1 || here.column() != above.column() ||
            here.columnSpan() != above.columnSpan())
            continue;
        m_table->mergeCells(above.row(), above.column(), m_rows - above.row(),
                            above.columnSpan());
    }
}
