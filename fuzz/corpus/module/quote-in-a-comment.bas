Attribute VB_Name = "modA"
Option Explicit
Sub A()
    x = 1: GoTo B ' a comment as long as the rule words it holds"quoted"
B:
End Sub
