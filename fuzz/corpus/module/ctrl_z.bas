Sub Main()

This is after the end of the text
