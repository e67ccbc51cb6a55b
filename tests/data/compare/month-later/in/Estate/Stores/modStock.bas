Attribute VB_Name = "modStock"
Option Explicit

Public Function Reorder(ByVal qty As Long, ByVal kind As Long) As Boolean
    If qty < 10 Then
        Reorder = True
    ElseIf kind = 1 And qty < 20 Then
        Reorder = True
    ElseIf kind = 2 And qty < 30 Then
        Reorder = True
    ElseIf kind = 3 And qty < 40 Then
        Reorder = True
    ElseIf kind = 4 And qty < 50 Then
        Reorder = True
    ElseIf kind = 8 Then
        Reorder = qty < 80
    ElseIf kind = 9 Then
        Reorder = qty < 90
    ElseIf kind = 5 Or kind = 6 Then
        If qty < 60 Then Reorder = True
    ElseIf kind = 7 Then
        Do While qty > 0
            qty = qty - 7
        Loop
        GoSub Done
    End If
    Exit Function
Done:
    Reorder = qty = 0
    Return
End Function
