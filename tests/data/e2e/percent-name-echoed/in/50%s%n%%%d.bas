' 100% done %s
