' café
