Attribute VB_Name = "modBill"
Option Explicit

' The total of one bill, rounded to cents
Public Function BillTotal(ByVal net As Double) As Double
    BillTotal = Round(net + Tax(net), 2)
End Function

Public Function BillLines(ByVal lines As Long) As Long
    BillLines = lines
End Function
