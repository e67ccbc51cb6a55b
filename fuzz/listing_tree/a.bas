Attribute VB_Name = "a"
Option Explicit
' note

Public Sub Main()
  Dim i As Long
  For i = 1 To 3
  Next
End Sub
