Begin VB.Form OnlyHeader 
   Caption = "x"
End
