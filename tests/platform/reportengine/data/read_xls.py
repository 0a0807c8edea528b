# Prints the first sheet of an .xls workbook as JSON, read by xlrd (independent of our writer):
# {"sheet": name, "cells": [[row, col, type, value, bold, number format], ...], "widths": {col: width},
#  "sheets": [[name, rows], ...]} (every sheet's name and row count); with --counts only "sheets".
import json
import sys

import xlrd

counts_only = "--counts" in sys.argv
path = [a for a in sys.argv[1:] if a != "--counts"][0]
book = xlrd.open_workbook(path, formatting_info=True)
sheets = [[s.name, s.nrows] for s in book.sheets()]
if counts_only:
    print(json.dumps({"sheets": sheets}))
    sys.exit(0)
sheet = book.sheet_by_index(0)
names = {xlrd.XL_CELL_EMPTY: "empty", xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number",
         xlrd.XL_CELL_DATE: "date", xlrd.XL_CELL_BOOLEAN: "bool", xlrd.XL_CELL_BLANK: "blank"}
cells = []
for r in range(sheet.nrows):
    for c in range(sheet.ncols):
        cell = sheet.cell(r, c)
        if cell.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK):
            continue
        value = cell.value
        if cell.ctype == xlrd.XL_CELL_DATE:
            value = "%04d-%02d-%02d" % xlrd.xldate_as_tuple(value, book.datemode)[:3]
        xf = book.xf_list[cell.xf_index]
        bold = book.font_list[xf.font_index].bold
        cells.append([r, c, names[cell.ctype], value, bool(bold), book.format_map[xf.format_key].format_str])
widths = {c: info.width for c, info in sheet.colinfo_map.items()}
print(json.dumps({"sheet": sheet.name, "cells": cells, "widths": widths, "sheets": sheets}))
