' one calculation
Public Function F() As Long
    F = 1
End Function
