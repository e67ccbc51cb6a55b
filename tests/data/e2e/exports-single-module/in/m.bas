Attribute VB_Name = "m"
Const A = 1
Const B = 2
' note

Public Function F() As Long
  If A Then F = B
End Function
