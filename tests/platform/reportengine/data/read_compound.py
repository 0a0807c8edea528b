# Prints the length and SHA-1 of the "Workbook" stream of a compound document, read by xlrd's own
# compound-document reader: "<length> <sha1>".
import hashlib
import os
import sys

from xlrd import compdoc

with open(sys.argv[1], "rb") as f:
    data = f.read()
doc = compdoc.CompDoc(data, logfile=open(os.devnull, "w"))
stream = doc.get_named_stream("Workbook")
print(len(stream), hashlib.sha1(stream).hexdigest())
